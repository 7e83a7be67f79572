"""Template files and the class roster through the real window's entry panel: a default
template saved from the memo and from the grid (compared byte for byte), loaded back into
the grid, a UTF-8 roster opened through the 打开 dialog, short GBK names through the default
template and appended to the class (否 in the roster question), and the roster imported
from the class's 母版."""
import os
import subprocess
import time

import pyatspi

from qs_e2e import Program, _descendants, answer, check, find, key, press, run, set_text, text_of, wait_for

from e2e_gradebook import _showing_named
from e2e_lesson import TITLE, login

DEFAULT = "一班语文名单默认模板.qs"


def open_roster_entry(program, window):
    key(TITLE, "ctrl+l")
    chooser = program.window("录入")
    click(find(chooser, "radio button", "名单录入"))
    press(chooser, "OK")
    wait_for(lambda: not chooser.getState().contains(pyatspi.STATE_SHOWING), "the chooser to close")
    tool(window, "添加")


def tool(window, name):
    """A showing button of the entry panel, known by its caption or hint."""
    return wait_for(lambda: _showing_named(window, "push button", name), "button " + repr(name))


def click(node):
    node.queryAction().doAction(0)


def grid_cells(window, rows):
    """Texts of the entry grid's input column, rows 1 to rows."""
    grid = wait_for(lambda: next((n for n in _descendants(window) if n.getRoleName() == "table"
                                  and n.getState().contains(pyatspi.STATE_SHOWING) and n.queryTable().nColumns == 2), None),
                    "the entry grid")
    cells = grid.queryTable()
    return [cells.getAccessibleAt(row, 1).name for row in range(rows)]


def save_default(program, window):
    click(tool(window, "保存为默认模板"))
    answer(program, "错误", "保存为默认模板吗？", "Yes")



def test(built):
    program = Program(built)
    try:
        program.start()
        window = login(program, first=True)
        open_roster_entry(program, window)

        # From the memo: its text with CR LF between the lines and nothing after the last.
        click(tool(window, "隐藏网格"))
        memo = wait_for(lambda: _showing_named(window, "text", "请输入内容和回车"), "the entry memo")
        set_text(memo, "甲\n乙\n丙")
        save_default(program, window)
        data = wait_for(lambda: program.has_data(DEFAULT) and program.data(DEFAULT), "the default template")
        check(data == "甲\r\n乙\r\n丙".encode("gbk"), "default template from the memo: %r" % data)

        # Back into the grid, and from the grid: three lines and 197 empty ones.
        click(tool(window, "显示网格"))
        click(tool(window, "导入默认模板"))
        wait_for(lambda: grid_cells(window, 4) == ["甲", "乙", "丙", ""], "the grid to hold the template")
        save_default(program, window)
        wait_for(lambda: program.data(DEFAULT) == "甲\r\n乙\r\n丙\r\n".encode("gbk") + b"\r\n" * 197,
                 "the default template from the grid (200 CR LF lines)")

        # A UTF-8 roster written by another program opens with the right names.
        utf8 = os.path.join(program.folder, "Data", "utf8.qsm")
        with open(utf8, "wb") as f:
            f.write(b"\xef\xbb\xbf" + "张三\r\n李四".encode("utf-8"))
        click(tool(window, "隐藏网格"))
        click(tool(window, "打开"))
        # The dialog opens with the file name box focused: type the whole path there.
        dialog = program.window("打开")
        time.sleep(0.5)
        subprocess.run(["xdotool", "type", "--delay", "30", utf8], check=False)
        subprocess.run(["xdotool", "key", "Return"], check=False)
        wait_for(lambda: not dialog.getState().contains(pyatspi.STATE_SHOWING), "the open dialog to close")
        memo = wait_for(lambda: _showing_named(window, "text", "请输入内容和回车"), "the entry memo")
        wait_for(lambda: text_of(memo) == "张三\n李四", "the memo to hold the UTF-8 roster")

        # Short GBK names that are valid UTF-8 too (郑 is D6 A3) come back as they were typed.
        set_text(memo, "郑梅\n毛卢")
        save_default(program, window)
        wait_for(lambda: program.data(DEFAULT) == "郑梅\r\n毛卢".encode("gbk"), "the default template in GBK")
        set_text(memo, "")
        click(tool(window, "导入默认模板"))
        wait_for(lambda: text_of(memo) == "郑梅\n毛卢", "the memo to hold 郑梅 and 毛卢 again")

        # 否 in the roster question appends the names after the class.
        highest = program.query("select max(编号) from [一班语文课堂提问]")[0][0]
        click(tool(window, "添加"))
        answer(program, "提示", "是否清除原有记录？", "No")
        wait_for(lambda: program.query("select 编号, 姓名 from [一班语文课堂提问] where 编号 > %d order by 编号" % highest)
                 == [(highest + 1, "郑梅"), (highest + 2, "毛卢")], "郑梅 and 毛卢 appended after the class")

        # 从母版中导入 brings the class table's roster back and resets every evaluation.
        program.execute("update [一班] set 姓名 = '母版生' where 编号 = 1")
        program.execute("update [一班语文课堂提问] set 评价 = 'A', 历史 = 'A', 次数 = 1, 总分 = 9, 平均 = 9")
        click(tool(window, "从母版中导入"))
        answer(program, "提示", "该操作将清除当前所有记录,确定从母版导入吗?", "Yes")
        roster = program.query("select 编号, 姓名 from [一班] order by 编号")
        wait_for(lambda: program.query("select 编号, 姓名 from [一班语文课堂提问] order by 编号") == roster,
                 "the questioning table to hold the class roster")
        rows = program.query("select distinct 评价, 历史, 次数, 总分, 平均 from [一班语文课堂提问]")
        check(rows == [(None, None, 0, 0, 0)], "every evaluation reset: %r" % rows)
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
