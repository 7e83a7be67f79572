"""个性图片 through the real window: the portrait panel opens in the entry panel, 添加 loads a
bitmap through the 打开 dialog, and 范例班 then holds the file's bytes under the current
student's name; 隐藏 closes the panel."""
import os
import struct
import subprocess
import time

import pyatspi

from e2e_lesson import login
from e2e_gradebook import _showing_named
from e2e_templates import click, tool
from qs_e2e import Program, check, find, run, wait_for


def bitmap(width=4, height=6):
    """A small 24-bit BMP, red."""
    row = (b"\x00\x00\xff" * width).ljust((width * 3 + 3) // 4 * 4, b"\x00")
    pixels = row * height
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def test(built):
    program = Program(built)
    try:
        program.start()
        window = login(program, first=True)
        name = program.query("select 姓名 from [一班语文课堂提问] order by 编号 limit 1")[0][0]
        face = os.path.join(program.folder, "face.bmp")
        with open(face, "wb") as f:
            f.write(bitmap())

        menu = wait_for(lambda: _showing_named(window, "menu item", "操作"), "the 操作 menu")
        menu.queryAction().doAction(0)
        find(menu, "menu item", "个性图片").queryAction().doAction(0)
        find(window, "label", "个性宣言")
        check(not tool(window, "打开").getState().contains(pyatspi.STATE_SENSITIVE),
              "the entry toolbar is disabled while the portrait shows")

        click(tool(window, "添加"))
        dialog = program.window("打开")
        time.sleep(0.5)
        subprocess.run(["xdotool", "type", "--delay", "30", face], check=False)
        subprocess.run(["xdotool", "key", "Return"], check=False)
        wait_for(lambda: not dialog.getState().contains(pyatspi.STATE_SHOWING), "the open dialog to close")

        stored = wait_for(lambda: program.query("select 相片 from [范例班] where trim(姓名) = ?", name) or None,
                          "a portrait row for " + name)
        check(len(stored) == 1, "one portrait row for %s: %d" % (name, len(stored)))
        check(bytes(stored[0][0]) == bitmap(), "the picture is the file's bytes")

        click(tool(window, "隐藏"))
        wait_for(lambda: _showing_named(window, "label", "个性宣言") is None, "the portrait panel to close")
        program.no_alert(0.5)
    finally:
        program.cleanup()


if __name__ == "__main__":
    run(test)
