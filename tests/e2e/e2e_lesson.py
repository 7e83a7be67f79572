"""A typical lesson through the real window: log in, F5 to start the race, F5 to stop it,
grade the student B, then close the window (评价 cleared) or leave by 退出 (评价 kept)."""
import subprocess
import time

import pyatspi

from qs_e2e import (Program, answer, check, close_window, find, key, press, run, set_text, text_of,
                    wait_for)

MAIN = "青穗多媒体教学助手"
TITLE = MAIN + "-一班语文课堂提问"


def login(program, first):
    dialog = program.window("系统登录")
    set_text(find(find(dialog, "combo box", description="请输入或选择班级"), "text"), "一班")
    set_text(find(find(dialog, "combo box", description="请输入或选择科目"), "text"), "语文")
    set_text(find(dialog, "password text", description="请输入您设定的密码"), "123")
    press(dialog, "确定")
    if first:
        answer(program, "提示", "保存密码为“123”吗?", "Yes")
        answer(program, "提示", "一班母版不存在,现在建立吗?", "Yes")
    return program.window(TITLE)


def score_of(program, grade):
    lines = program.data("一班语文Moren.qs").decode("gbk").split("\r\n")
    return int(lines["ABCD".index(grade) * 2 + 1])


def pick_and_grade(program, window, grade):
    number_box = find(window, "text", description="查找请输入编号，回车")
    first_number = text_of(number_box)
    animation = find(window, "animation", "选择动画")
    check(not animation.getState().contains(pyatspi.STATE_ANIMATED), "the selection animation rests before the race")
    key(TITLE, "F5")
    wait_for(lambda: animation.getState().contains(pyatspi.STATE_ANIMATED), "the selection animation to play")
    seen = set()
    end = time.time() + 1.5
    while time.time() < end:  # the highlight races: the number box keeps changing
        seen.add(text_of(number_box))
        time.sleep(0.05)
    check(len(seen) > 3, "the race shows many numbers, saw %r" % sorted(seen))
    key(TITLE, "F5")
    wait_for(lambda: not animation.getState().contains(pyatspi.STATE_ANIMATED), "the selection animation to stop")
    time.sleep(0.3)
    number = text_of(number_box)
    check(number.isdigit(), "the race stopped on a student number, not %r" % number)
    name = text_of(find(window, "text", description="查找请输入姓名，回车"))
    row = program.query("select 姓名 from [一班语文课堂提问] where 编号 = ?", int(number))
    check(row and row[0][0] == name, "the find boxes show the chosen student %s %s" % (number, name))

    grade_box = find(window, "combo box", description="请选择档次")
    wait_for(lambda: grade_box.getState().contains(pyatspi.STATE_ENABLED), "the grade box enabled")
    # A drop-down list: open it, type the grade's letter and take it with Enter.
    grade_box.queryAction().doAction(0)
    time.sleep(0.5)
    subprocess.run(["xdotool", "key", "--delay", "80", grade.lower(), "Return"], check=False)
    return int(number), first_number


def test(built):
    program = Program(built)
    try:
        program.start()
        window = login(program, first=True)
        number, _ = pick_and_grade(program, window, "B")
        b = score_of(program, "B")

        def graded():
            rows = program.query("select 评价, 历史, 次数, 总分, 平均 from [一班语文课堂提问] where 编号 = ?", number)
            return rows and rows[0][0] == "B" and rows[0]
        row = wait_for(graded, "student %d graded B" % number)
        check(tuple(row) == ("B", "B", 1, b, b), "row after grading B: %r" % (row,))

        # The comment pop-up shows B's comment in large type; a key hides it.
        comment = program.data("一班语文Moren.qs").decode("gbk").split("\r\n")[2]
        popup = wait_for(lambda: next((w for w in program.windows() if w.name != TITLE and comment in _all_text(w)), None),
                         "the comment pop-up with %r" % comment)

        # A click on the pop-up puts it away, as the teacher does before going on.
        box = popup.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1"],
                       check=False)
        wait_for(lambda: not popup.getState().contains(pyatspi.STATE_SHOWING), "the pop-up to hide")

        # Closing the window empties 评价 and keeps the rest.
        close_window(TITLE)
        program.wait_exit()
        rows = program.query("select 评价, 历史, 次数, 总分, 平均 from [一班语文课堂提问] where 编号 = ?", number)
        check(tuple(rows[0]) == (None, "B", 1, b, b), "after closing: %r" % (rows[0],))

        # Again, graded and left by 退出: 评价 stays.
        again = Program(built, folder=program.folder)
        again.start()
        window = login(again, first=False)
        number, _ = pick_and_grade(again, window, "B")
        wait_for(lambda: again.query("select 评价 from [一班语文课堂提问] where 编号 = ?", number)[0][0] == "B",
                 "graded again")
        menu = find(window, "menu item", "文件")
        menu.queryAction().doAction(0)
        find(menu, "menu item", "退出").queryAction().doAction(0)
        again.wait_exit()
        check(again.query("select 评价 from [一班语文课堂提问] where 编号 = ?", number)[0][0] == "B",
              "退出 keeps 评价")
    finally:
        program.cleanup()


def _all_text(window):
    from qs_e2e import _descendants
    texts = []
    for n in [window] + list(_descendants(window)):
        texts.append(n.name or "")
        try:
            texts.append(n.queryText().getText(0, -1))
        except Exception:
            pass
    return "\n".join(texts)


if __name__ == "__main__":
    run(test)
