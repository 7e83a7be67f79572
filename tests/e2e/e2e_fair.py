"""A fair lesson through the real window: two students marked absent (the grid's context
menu and Ctrl+D), 不重复 on, 34 races on the class of 36 give 34 distinct present students
and then a new round; a grade taken back with Ctrl+Z leaves the row byte for byte as it
was in Record.mdb; after a restart 不重复 is still on and the round goes on."""
import subprocess
import time

import pyatspi

from e2e_lesson import TITLE, login
from qs_e2e import Program, _descendants, check, close_window, find, key, run, text_of, wait_for

QUESTIONING = "[一班语文课堂提问]"
ASKED = "[公平提问 已问]"
NEW_ROUND = "本轮已全部提问，开始新一轮"


def row_bytes(program, number):
    """Every stored value of the student's row with its storage class."""
    columns = [row[1] for row in program.query("pragma table_info(%s)" % QUESTIONING)]
    parts = ",".join("typeof([%s])||':'||CASE typeof([%s]) WHEN 'real' THEN printf('%%!.17g',[%s]) ELSE quote([%s]) END"
                     % (c, c, c, c) for c in columns)
    return program.query("select rowid,%s from %s where 编号 = ?" % (parts, QUESTIONING), number)


def asked(program):
    return [row[0] for row in program.query("select 编号 from %s order by rowid" % ASKED)] if ASKED.strip("[]") in program.tables() else []


def grid(window):
    return find(window, "table", "随机选择请双击或回车")


def cell_centre(window, row):
    extents = grid(window).queryTable().getAccessibleAt(row, 1).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


def operations_item(window, caption):
    """An item of the questioning 操作 menu (the one shown in the menu bar)."""
    menu = wait_for(lambda: next((n for n in _descendants(window) if n.getRoleName() == "menu item" and n.name == "操作"
                                  and n.getState().contains(pyatspi.STATE_SHOWING)), None), "the 操作 menu")
    return find(menu, "menu item", caption)


def mark_absent_from_menu(window, row):
    """Right-click on the row, then the menu's first item that can be chosen (缺席) by keyboard."""
    x, y = cell_centre(window, row)
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "3"], check=False)
    time.sleep(0.6)
    subprocess.run(["xdotool", "key", "--delay", "100", "Down", "Return"], check=False)


def race(program, window):
    """F5, a moment, F5: the number the race stopped on, as the toolbar and Record.mdb say."""
    before = len(asked(program))
    key(TITLE, "F5")
    time.sleep(0.2)
    key(TITLE, "F5")
    # A race that begins a new round starts the list afresh.
    wait_for(lambda: len(asked(program)) != before, "the student counted as asked")
    number = asked(program)[-1]
    box = find(window, "text", description="查找请输入编号，回车")
    wait_for(lambda: text_of(box) == str(number), "the number box to show %s" % number)
    return number


def status_shows(window, text):
    return any(n.getRoleName() == "label" and n.name == text for n in _descendants(window))


def test(built):
    program = Program(built)
    try:
        program.start()
        window = login(program, first=True)

        # Student 2 by the context menu, student 3 by Ctrl+D on its row.
        mark_absent_from_menu(window, 1)
        x, y = cell_centre(window, 2)
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=False)
        wait_for(lambda: text_of(find(window, "text", description="查找请输入编号，回车")) == "3", "student 3 chosen")
        key(TITLE, "ctrl+d")
        wait_for(lambda: len(program.query("select * from [公平提问 缺席]")) == 2, "two students absent")
        absent = {row[0] for row in program.query("select 编号 from [公平提问 缺席]")}
        check(absent == {2, 3}, "absent: %r" % absent)

        no_repeat = operations_item(window, "不重复")
        check(not no_repeat.getState().contains(pyatspi.STATE_CHECKED), "不重复 is off at first")
        no_repeat.queryAction().doAction(0)
        wait_for(lambda: program.query("select 不重复 from [公平提问 轮次]") == [(1,)], "不重复 kept in Record.mdb")

        students = program.query("select count(*) from %s" % QUESTIONING)[0][0]
        check(students == 36, "a class of 36, not %d" % students)
        chosen = [race(program, window) for _ in range(34)]
        check(len(set(chosen)) == 34 and not set(chosen) & absent, "34 distinct present students: %r" % chosen)
        check(not status_shows(window, NEW_ROUND), "no new round yet")
        first_of_round = race(program, window)
        wait_for(lambda: status_shows(window, NEW_ROUND), "the status bar to say " + NEW_ROUND)
        check(asked(program) == [first_of_round], "the new round holds only %d: %r" % (first_of_round, asked(program)))

        # A grade taken back: the row as it was, byte for byte.
        number = race(program, window)
        before = row_bytes(program, number)
        grade_box = find(window, "combo box", description="请选择档次")
        wait_for(lambda: grade_box.getState().contains(pyatspi.STATE_ENABLED), "the grade box enabled")
        grade_box.queryAction().doAction(0)
        time.sleep(0.5)
        subprocess.run(["xdotool", "key", "--delay", "80", "b", "Return"], check=False)
        wait_for(lambda: program.query("select 评价 from %s where 编号 = ?" % QUESTIONING, number)[0][0] == "B",
                 "student %d graded B" % number)
        check(row_bytes(program, number) != before, "the grade changed the row")
        key(TITLE, "ctrl+z")
        wait_for(lambda: row_bytes(program, number) == before, "the row back as it was: %r" % (before,))
        check(asked(program) == [first_of_round, number], "the undo leaves the round alone")

        # A restart keeps 不重复 and the round.
        close_window(TITLE)
        program.wait_exit()
        again = Program(built, folder=program.folder)
        again.start()
        window = login(again, first=False)
        check(operations_item(window, "不重复").getState().contains(pyatspi.STATE_CHECKED), "不重复 still on")
        round_so_far = set(asked(again))
        later = [race(again, window) for _ in range(4)]
        check(len(set(later)) == 4 and not set(later) & (round_so_far | absent),
              "the round goes on after the restart: %r after %r" % (later, round_so_far))
        close_window(TITLE)
        again.wait_exit()
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
