"""A first login to a new class and subject, a wrong password, the administrator password,
and a re-login to the grade book, through the real windows."""
import time

from qs_e2e import Program, answer, check, find, key, press, run, set_text

MAIN = "青穗多媒体教学助手"


def gbk(text):
    return text.encode("gbk")


def fill_login(program, class_name, subject, password, mode=None):
    dialog = program.window("系统登录")
    set_text(find(find(dialog, "combo box", description="请输入或选择班级"), "text"), class_name)
    set_text(find(find(dialog, "combo box", description="请输入或选择科目"), "text"), subject)
    set_text(find(dialog, "password text", description="请输入您设定的密码"), password)
    if mode:
        find(dialog, "radio button", mode).queryAction().doAction(0)
    press(dialog, "确定")
    return dialog


def test(built):
    program = Program(built)
    try:
        program.start()
        moren = program.data("Moren.qs")

        # First login: save the password, create the class from the master roster.
        fill_login(program, "一班", "语文", "123")
        answer(program, "提示", "保存密码为“123”吗?", "Yes")
        answer(program, "提示", "一班母版不存在,现在建立吗?", "Yes")
        program.window(MAIN + "-一班语文课堂提问")

        check(program.data("一班语文denglu.qs") == b"123", "password file holds exactly the password")
        check(program.data("banji.qs") == gbk("一班\r\n"), "class list: %r" % program.data("banji.qs"))
        check(program.data("一班xueke.qs") == gbk("语文\r\n"), "subject list: %r" % program.data("一班xueke.qs"))
        check(program.data("一班语文Moren.qs") == moren, "grade settings copied from the default file")
        tables = program.tables()
        for table in ("一班", "一班语文课堂提问", "一班语文记分册", "母版", "范例班"):
            check(table in tables, "table %s exists (have %s)" % (table, sorted(tables)))
        students = program.query("select count(*) from [一班语文课堂提问]")[0][0]
        check(students == program.query("select count(*) from [母版]")[0][0] and students > 0,
              "the class got every student of the master roster")
        columns = [row[1] for row in program.query("pragma table_info([一班语文课堂提问])")]
        check(columns == ["编号", "姓名", "评价", "历史", "次数", "总分", "平均"], "questioning columns %r" % columns)
        columns = [row[1] for row in program.query("pragma table_info([一班语文记分册])")]
        check(columns == ["编号", "姓名", "小组", "合计", "平均", "名次"], "grade-book columns %r" % columns)

        # A wrong password is refused and the dialog stays.
        key(MAIN + "-一班语文课堂提问", "F9")
        fill_login(program, "一班", "语文", "456")
        answer(program, "警告", "密码错误，请重新登录或查看帮助或与系统管理员联系！", "OK")
        program.window("系统登录")

        # The right password, in the grade book.
        fill_login(program, "一班", "语文", "123", mode="记分册")
        program.window(MAIN + "-一班语文记分册")

        # The administrator password deletes the stored password after a warning.
        key(MAIN + "-一班语文记分册", "F9")
        fill_login(program, "一班", "语文", "kesmora", mode="课堂提问")
        answer(program, "警告", "您将以系统管理员身份登录“一班语文”！此操作将删除原设密码,重新登录时请重设密码。继续吗？", "Yes")
        program.window(MAIN + "-一班语文课堂提问")
        check(not program.has_data("一班语文denglu.qs"), "the administrator login deleted the password file")
        check(program.data("banji.qs") == gbk("一班\r\n"), "the class stands once in the list")
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
