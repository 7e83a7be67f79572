"""A server that cannot be reached: the program says which and why, writes nothing, and
does not fall back to a Record.mdb of its own."""
import os

from qs_e2e import Program, alert_text, check, press, run, wait_for

SERVER = "postgresql://teacher@127.0.0.1:1/qingsui"


def test(built):
    program = Program(built)
    try:
        before = {name: program.data(name) for name in os.listdir(os.path.join(program.folder, "Data"))}
        program.start("--database", SERVER)
        box = program.alert()
        text = alert_text(box)
        check("无法连接数据库服务器“127.0.0.1:1/qingsui”" in text, "the message names the server: %r" % text)
        check("连接不上服务器" in text and "程序没有改动任何数据" in text, "the message says why: %r" % text)
        press(box, "OK")
        wait_for(lambda: not program.windows() or all(w.name != "系统登录" for w in program.windows()), "no login")
        check(not any(w.name == "系统登录" for w in program.windows()), "no login without a database")
        program.kill()
        check(not os.path.exists(os.path.join(program.folder, "Record.mdb")), "no Record.mdb made instead")
        after = {name: program.data(name) for name in os.listdir(os.path.join(program.folder, "Data"))}
        check(after == before, "the Data folder is as it was")
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
