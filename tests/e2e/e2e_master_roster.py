"""保存为母版 through the real window: the class password is refused, the administrator
password copies the current roster into the class table, and 母版 stays as it was."""

from qs_e2e import Program, answer, check, find, press, run, set_text

from e2e_lesson import TITLE, login


def save_as_master(program, window, password):
    menu = find(window, "menu item", "文件")
    menu.queryAction().doAction(0)
    find(menu, "menu item", "保存为母版").queryAction().doAction(0)
    box = program.window("密码")
    find(box, "label", "请输入密码")
    entry = find(box, "text")
    check(entry.queryText().getText(0, -1) == "", "the password box starts empty")
    set_text(entry, password)
    press(box, "OK")



def test(built):
    program = Program(built)
    try:
        program.start()
        window = login(program, first=True)
        master = program.query("select 编号, 姓名, 小组 from [母版] order by 编号")
        before = program.query("select 编号, 姓名, 小组 from [一班] order by 编号")
        check(len(before) > 3, "the class table starts as a copy of 母版")
        # The teacher's roster differs from the class table: one student left, one renamed.
        program.execute("delete from [一班语文课堂提问] where 编号 = 2")
        program.execute("update [一班语文课堂提问] set 姓名 = '新生' where 编号 = 3")
        roster = program.query("select 编号, 姓名 from [一班语文课堂提问] order by 编号")

        save_as_master(program, window, "123")
        answer(program, "提示", "您没有此权限,请察看帮助文件或联系系统管理员!", "OK")
        check(program.query("select 编号, 姓名, 小组 from [一班] order by 编号") == before,
              "the class password changes nothing")

        save_as_master(program, window, "kesmora")
        answer(program, "提示", "名单已经保存在一班母版中！", "OK")
        saved = program.query("select 编号, 姓名, 小组 from [一班] order by 编号")
        check(saved == [(n, name, None) for n, name in roster], "the class table holds the roster: %r" % saved[:4])
        check(program.query("select 编号, 姓名, 小组 from [母版] order by 编号") == master, "母版 is unchanged")
        program.window(TITLE)
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
