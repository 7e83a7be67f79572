"""成绩分析 through the real window: two score columns entered from the entry memo, the
analysis window read through the accessibility tree (平均分, 及格率, 优秀率 and the band
counts worked out by hand), 导出 read back from the workbook (the same figures and native
charts), and a third column entered while the window is open shows up in it. With
QS_E2E_SHOTS set to a folder, a screenshot of the window is kept there."""
import os
import shutil
import subprocess

from zipfile import ZipFile

from e2e_export import export_target, read_sheet, stub_opener
from e2e_gradebook import STUDENTS, add_scores_from_memo, click, login, toolbar_button
from qs_e2e import Program, answer, check, find, press, run, table_rows, wait_for, window_id

WINDOW = "成绩分析-一班语文"


def hand_computed(scores, full=100, passing=60, excellent=85):
    """平均分 to two decimals, 及格率 and 优秀率 as shown, the five band counts."""
    n = len(scores)
    mean = sum(scores) / n
    passed = len([s for s in scores if s >= full * passing / 100])
    good = len([s for s in scores if s >= full * excellent / 100])
    bands = [0] * 5
    for s in scores:
        bands[sum(1 for limit in (60, 70, 80, 90) if s * 100 >= limit * full)] += 1
    return mean, passed / n, good / n, bands


def test(built):
    scratch, _, opened_log = stub_opener()
    program = Program(built)
    try:
        program.start()
        main = login(program)
        first = [40 + k for k in range(1, STUDENTS + 1)]
        second = [55 + k for k in range(1, STUDENTS + 1)]  # 56 .. 91
        add_scores_from_memo(program, main, first, "第1次")
        add_scores_from_memo(program, main, second, "第2次")

        click(toolbar_button(main, "成绩分析"))
        window = program.window(WINDOW)
        mean, pass_rate, excellent_rate, bands = hand_computed(second)
        check(bands == [4, 10, 10, 10, 2], "the bands worked out by hand: %r" % bands)
        statistics = find(window, "table", "统计表")
        expected = ["全班", str(STUDENTS), "0", "%.2f" % mean]
        wait_for(lambda: table_rows(statistics) and table_rows(statistics)[0][:4] == expected,
                 "the class row %r" % expected)
        row = table_rows(statistics)[0]
        check(row[8] == "%.2f%%" % (pass_rate * 100) and row[9] == "%.2f%%" % (excellent_rate * 100),
              "及格率 and 优秀率 of the class: %r" % row)
        band_rows = table_rows(find(window, "table", "分数段人数"))
        check([r[0] for r in band_rows] == ["不及格(<60)", "60–69", "70–79", "80–89", "90–100"], "bands %r" % band_rows)
        check([int(r[1]) for r in band_rows] == bands, "band counts %r, expected %r" % (band_rows, bands))

        shots = os.environ.get("QS_E2E_SHOTS")
        if shots:
            wid = wait_for(lambda: window_id(WINDOW), "X window " + WINDOW)
            subprocess.run(["import", "-window", wid, os.path.join(shots, "analysis-window.png")], check=True)

        # 名次进退 between 第1次 and 第2次: the page fills when it is chosen; nobody moved.
        find(window, "page tab", "名次进退").queryAction().doAction(0)
        ranks = find(window, "table", "名次进退表")
        wait_for(lambda: len(table_rows(ranks)) == STUDENTS, "a row of 名次进退 for every student")
        find(window, "label", "没有学生名次上升；没有学生名次下降", description="进步与退步")
        find(window, "page tab", "分数段").queryAction().doAction(0)

        # 导出: the same figures in the workbook's statistics sheet, and native charts.
        path = export_target(opened_log, lambda: press(window, "导出"))
        cells = read_sheet(path)
        with ZipFile(path) as book:
            charts = [name for name in book.namelist() if name.startswith("xl/charts/chart")]
        check(cells.get("A5") == "全班", "the class row of the statistics sheet: %r" % cells.get("A5"))
        check(abs(cells["D5"] - mean) < 1e-9 and abs(cells["I5"] - pass_rate) < 1e-9
              and abs(cells["J5"] - excellent_rate) < 1e-9, "平均分, 及格率, 优秀率 %r" % [cells.get(c) for c in ("D5", "I5", "J5")])
        band_cells = {cells[k]: cells.get("B" + k[1:]) for k in cells if k.startswith("A") and k[1:].isdigit()}
        check([band_cells.get(label) for label in ("不及格(<60)", "60–69", "70–79", "80–89", "90–100")] == bands,
              "band counts in the workbook: %r" % band_cells)
        check("xl/charts/chart1.xml" in charts, "native charts in the workbook: %r" % charts)

        # A third column entered while the window is open shows up without reopening it.
        add_scores_from_memo(program, main, [80] * STUDENTS, "第3次")
        wait_for(lambda: table_rows(statistics)[0][:4] == ["全班", str(STUDENTS), "0", "80.00"], "the window on 第3次")
        program.no_alert(0.3)
    finally:
        program.cleanup()
        shutil.rmtree(scratch, ignore_errors=True)
    without_office(built)


def without_office(built):
    """A program folder that lost its office part: 成绩分析 and 导出至Excel say so, and the
    program goes on."""
    program = Program(built)
    try:
        os.remove(os.path.join(program.folder, "libqingsui-office.so"))
        program.start()
        main = login(program)
        add_scores_from_memo(program, main, [70] * STUDENTS, "第1次")
        click(toolbar_button(main, "成绩分析"))
        answer(program, None, "无法载入程序的导出与分析部分", "OK")
        menu = find(main, "menu item", "文件")
        menu.queryAction().doAction(0)
        find(menu, "menu item", "导出至Excel").queryAction().doAction(0)
        answer(program, None, "无法载入程序的导出与分析部分", "OK")
        check(program.process.poll() is None, "the program still runs")
        click(toolbar_button(main, "成绩分析"))
        answer(program, None, "无法载入程序的导出与分析部分", "OK")
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
