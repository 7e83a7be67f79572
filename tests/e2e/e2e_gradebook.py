"""The grade book through the real window: two score columns entered from the entry memo,
a sort by 平均 with stored ranks, an ascending one set through the direction box's
accessibility action, group totals, clearing the scores with the class
password, and a roster replaced from the entry grid with an empty row between names."""
import shutil
import subprocess

import pyatspi

from e2e_export import export, read_sheet, stub_opener
from qs_e2e import (Failure, Program, answer, check, find, press, run, set_text, table_rows, wait_for)

MAIN = "青穗多媒体教学助手"
TITLE = MAIN + "-一班语文记分册"
TABLE = "[一班语文记分册]"
STUDENTS = 36  # the master roster the class is made from


def login(program):
    dialog = program.window("系统登录")
    set_text(find(find(dialog, "combo box", description="请输入或选择班级"), "text"), "一班")
    set_text(find(find(dialog, "combo box", description="请输入或选择科目"), "text"), "语文")
    set_text(find(dialog, "password text", description="请输入您设定的密码"), "123")
    find(dialog, "radio button", "记分册").queryAction().doAction(0)
    press(dialog, "确定")
    answer(program, "提示", "保存密码为“123”吗?", "Yes")
    answer(program, "提示", "一班母版不存在,现在建立吗?", "Yes")
    return program.window(TITLE)


def click(node):
    node.queryAction().doAction(0)


def toolbar_button(window, caption):
    return find(window, "push button", caption)


def open_entry(program, window, roster):
    click(toolbar_button(window, "录入"))
    chooser = program.window("录入")
    click(find(chooser, "radio button", "名单录入" if roster else "成绩录入"))
    press(chooser, "OK")
    wait_for(lambda: not chooser.getState().contains(pyatspi.STATE_SHOWING), "the chooser to close")
    return wait_for(lambda: _showing_named(window, "push button", "添加"), "the entry panel")


def _showing_named(root, role, name):
    from qs_e2e import _descendants
    for n in _descendants(root):
        if n.getRoleName() == role and n.name == name and n.getState().contains(pyatspi.STATE_SHOWING):
            return n
    return None


def columns(program):
    return [row[1] for row in program.query("pragma table_info(%s)" % TABLE)]


def add_scores_from_memo(program, window, lines, column, extra_rows=0):
    open_entry(program, window, roster=False)
    if _showing_named(window, "push button", "隐藏网格"):
        click(find(window, "push button", "隐藏网格"))
    memo = wait_for(lambda: _showing_named(window, "text", "请输入内容和回车"), "the entry memo")
    set_text(memo, "\n".join(str(v) for v in lines))
    click(find(window, "push button", "添加"))
    dialog = program.window("字段名")
    name_box = find(dialog, "text")
    check(name_box.queryText().getText(0, -1) == column, "the column-name dialog offers %s" % column)
    press(dialog, "OK")
    if extra_rows:
        answer(program, "提示", "有%d行没有对应的学生,这些行没有录入!" % extra_rows, "OK")
    wait_for(lambda: column in columns(program), "column %s added" % column)


def grid_rows(window):
    table = find(window, "table", "双击直接修改")
    t = table.queryTable()
    headers = [t.getColumnHeader(c).name if t.getColumnHeader(c) else t.getColumnDescription(c) for c in range(t.nColumns)]
    return headers, table_rows(table)


def test(built):
    scratch, _, opened_log = stub_opener()
    program = Program(built)
    try:
        program.start()
        window = login(program)

        # Two score columns from the memo; a second batch with two rows more than students.
        first = [85] + [40 + k for k in range(2, STUDENTS + 1)]
        second = [86] + [50 + k for k in range(2, STUDENTS + 1)] + [99, 98]
        add_scores_from_memo(program, window, first, "第1次")
        add_scores_from_memo(program, window, second, "第2次", extra_rows=2)
        rows = program.query("select 编号, 第1次, 第2次, 合计, 平均 from %s order by 编号" % TABLE)
        check(tuple(rows[0]) == (1, 85, 86, 171, 85), "student 1 after two columns: %r" % (rows[0],))
        check(all(r[3] == r[1] + r[2] and r[4] == (r[1] + r[2]) // 2 for r in rows), "every total and average: %r" % rows)
        check(rows[-1][2] == 50 + STUDENTS, "the rows beyond the last student were not applied to it")

        # The default sort: 平均 descending, ranks 1..n stored in that order.
        click(toolbar_button(window, "排序"))
        dialog = program.window("排序")
        press(dialog, "确定")

        def ranked():
            ranks = program.query("select 名次 from %s order by 平均 desc" % TABLE)
            return [r[0] for r in ranks] == list(range(1, STUDENTS + 1))
        wait_for(ranked, "ranks 1..%d in the order of 平均" % STUDENTS)
        check(program.query("select 名次 from %s where 编号 = 1" % TABLE)[0][0] == 1, "the highest average ranks 1")

        # The sorted grade book exported as shown: title, header with 名次 last, rows in rank order.
        path = export(window, opened_log)
        cells = read_sheet(path)
        header = []
        while cells.get(chr(65 + len(header)) + "2"):
            header.append(cells[chr(65 + len(header)) + "2"])
        check(cells.get("A1") == TABLE.strip("[]") and header[-1] == "名次" and header[:3] == ["编号", "姓名", "小组"],
              "title and header: %r %r" % (cells.get("A1"), header))
        rank_column = chr(65 + len(header) - 1)
        ranks = [cells.get(rank_column + str(r + 3)) for r in range(STUDENTS)]
        check(ranks == [float(k) for k in range(1, STUDENTS + 1)], "rows in rank order, numbers as numbers: %r" % ranks)

        # The direction box driven as assistive technology drives it (its Toggle action): the
        # caption follows, the mark stays, and the sort runs ascending.
        click(toolbar_button(window, "排序"))
        dialog = program.window("排序")
        direction = find(dialog, "check box", "降序")
        actions = direction.queryAction()
        actions.doAction(next(i for i in range(actions.nActions) if actions.getName(i).lower() == "toggle"))
        wait_for(lambda: direction.name == "升序", "the direction box to read 升序")
        check(direction.getState().contains(pyatspi.STATE_CHECKED), "the direction box keeps its mark")
        press(dialog, "确定")

        def ranked_up():
            ranks = program.query("select 名次 from %s order by 平均" % TABLE)
            return [r[0] for r in ranks] == list(range(1, STUDENTS + 1))
        wait_for(ranked_up, "ranks 1..%d from the lowest 平均" % STUDENTS)

        # Group totals of 平均: one row per 小组, the largest first, under the title 总分.
        click(toolbar_button(window, "排序"))
        dialog = program.window("排序")
        click(find(dialog, "radio button", "分组计算"))
        press(dialog, "确定")
        expected = program.query("select 小组, sum(平均) from %s group by 小组 order by sum(平均) desc" % TABLE)

        def group_view():
            headers, shown = grid_rows(window)
            return headers[:2] == ["小组", "总分"] and len(shown) == len(expected) and (headers, shown)
        headers, shown = wait_for(group_view, "the group-totals view")
        check([int(r[0]) for r in shown] == [g for g, _ in expected], "groups in order of their sums: %r" % shown)
        check([float(r[1]) for r in shown] == [float(s) for _, s in expected], "group sums: %r / %r" % (shown, expected))

        # Clearing the scores with the class password: the six fixed columns, every student.
        click(toolbar_button(window, "清除"))
        answer(program, "提示", "确定删除一班语文的全部成绩吗？", "Yes")
        box = program.window("密码")
        set_text(find(box, "text"), "123")
        press(box, "OK")
        wait_for(lambda: columns(program) == ["编号", "姓名", "小组", "合计", "平均", "名次"], "the scores cleared")
        check(program.query("select count(*) from %s" % TABLE)[0][0] == STUDENTS, "every student kept")

        # A roster typed into the entry grid, row 3 left empty, replaces the class.
        # The grid is shown again first, so that the panel opens with the focus in its row 1.
        click(find(window, "push button", "显示网格"))
        open_entry(program, window, roster=True)
        type_roster(window, ["张三", "李四", "", "王五"])
        click(find(window, "push button", "添加"))
        answer(program, "提示", "是否清除原有记录？", "Yes")
        wait_for(lambda: program.query("select 编号, 姓名 from %s order by 编号" % TABLE) == [(1, "张三"), (2, "李四"), (3, "王五")],
                 "the new roster numbered 1, 2, 3")
        check(columns(program) == ["编号", "姓名", "小组", "合计", "平均", "名次"], "a replaced roster has no score column")
    finally:
        program.cleanup()
        shutil.rmtree(scratch, ignore_errors=True)


def type_roster(window, names):
    """Types the names into the entry grid's input column from row 1 on, one a row, and
    checks each cell; a name that did not arrive is typed again."""
    from qs_e2e import _descendants, window_id
    grid = wait_for(lambda: next((n for n in _descendants(window) if n.getRoleName() == "table"
                                  and n.getState().contains(pyatspi.STATE_SHOWING) and n.name != "双击直接修改"), None),
                    "the entry grid")
    subprocess.run(["xdotool", "windowfocus", "--sync", wait_for(lambda: window_id(TITLE), "X window")], check=False)
    for row, name in enumerate(names):
        for attempt in range(3):
            if not name:
                break
            subprocess.run(["xdotool", "type", "--delay", "60", name], check=False)
            subprocess.run(["xdotool", "key", "Return"], check=False)
            try:
                wait_for(lambda: grid.queryTable().getAccessibleAt(row, 1).name == name, "row %d" % (row + 1), timeout=5)
                break
            except Failure:
                if attempt == 2:
                    raise
                subprocess.run(["xdotool", "key", "Escape"], check=False)
        subprocess.run(["xdotool", "key", "Down"], check=False)


if __name__ == "__main__":
    run(test)
