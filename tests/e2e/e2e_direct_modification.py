"""Direct modification of the grade book through the real window, with the X server's own
mouse and keys: a double-click in the grid switches it on and off again, a score batch
run while a cell editor stands open puts every score on its own student, and a score
typed that is no whole number is refused with a message and stays in its cell until it
is corrected."""
import subprocess
import time

from e2e_gradebook import STUDENTS, TABLE, TITLE, _showing_named, add_scores_from_memo, click, columns, login, open_entry
from qs_e2e import Program, answer, check, find, press, run, set_text, wait_for, window_id

OFF = "双击直接修改"
ON = "修改后回车以更新数据"


def grid(window, hint):
    return find(window, "table", hint)


def cell_centre(table, row, column):
    cell = table.queryTable().getAccessibleAt(row, column)
    x, y, width, height = cell.queryComponent().getExtents(0)  # screen coordinates
    return x + width // 2, y + height // 2


def focus():
    subprocess.run(["xdotool", "windowfocus", "--sync", wait_for(lambda: window_id(TITLE), "X window")], check=False)


def mouse(table, row, column, clicks):
    focus()
    x, y = cell_centre(table, row, column)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=False)
    time.sleep(0.2)
    subprocess.run(["xdotool", "click", "--repeat", str(clicks), "--delay", "80", "1"], check=False)
    time.sleep(0.3)


def keys(*names):
    focus()
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(names), check=False)


def type_text(text):
    focus()
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=False)


def stored(program, column):
    return [r[0] for r in program.query("select [%s] from %s order by 编号" % (column, TABLE))]


def test(built):
    program = Program(built)
    try:
        program.start()
        window = login(program)
        first = [40 + k for k in range(1, STUDENTS + 1)]
        add_scores_from_memo(program, window, first, "第1次")

        # A double-click switches direct modification on, and again off, wherever it lands.
        mouse(grid(window, OFF), 1, 1, 2)
        table = grid(window, ON)
        mouse(table, 4, 1, 2)
        table = grid(window, OFF)
        mouse(table, 2, 1, 2)
        table = grid(window, ON)

        # A batch while the teacher's cell editor is open: every score on its own student.
        open_entry(program, window, roster=False)
        if _showing_named(window, "push button", "隐藏网格"):
            click(find(window, "push button", "隐藏网格"))
        memo = wait_for(lambda: _showing_named(window, "text", "请输入内容和回车"), "the entry memo")
        second = [60 + k for k in range(1, STUDENTS + 1)]
        set_text(memo, "\n".join(str(v) for v in second))
        mouse(table, 3, 1, 1)
        click(find(window, "push button", "添加"))
        press(program.window("字段名"), "OK")
        wait_for(lambda: "第2次" in columns(program) and stored(program, "第2次") == second, "第2次 filled in order")
        check(stored(program, "合计") == [a + b for a, b in zip(first, second)], "every total: %r" % stored(program, "合计"))
        check(program.query("select count(*) from %s where 姓名 is null or 姓名 = ''" % TABLE)[0][0] == 0, "no name lost")

        # A score that is no whole number is refused, and stays to be corrected.
        table = grid(window, ON)
        mouse(table, 0, 3, 1)
        keys("ctrl+a")
        type_text("85.5")
        keys("Return")
        told = answer(program, "提示", "“85.5”不能填入“第1次”", "OK")
        check("整数" in told, "the message says a whole number is wanted: %r" % told)
        check(stored(program, "第1次")[0] == first[0] and stored(program, "合计")[0] == first[0] + second[0],
              "nothing written for the refused score")
        keys("ctrl+a")
        type_text("77")
        keys("Return")
        wait_for(lambda: stored(program, "第1次")[0] == 77 and stored(program, "合计")[0] == 77 + second[0],
                 "the corrected score and its total")
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
