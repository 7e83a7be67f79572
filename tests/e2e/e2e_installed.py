"""The Debian package, unpacked (never installed) into a read-only scratch root and run
from there with HOME in a scratch folder, as a user of an installed copy runs it: a login,
a grade and an export keep Record.mdb and Data/ in the user's data folder, seeded from the
shipped files; nothing is written under the unpacked tree; the About box names the
folder; a second start finds the class again.

Usage: e2e_installed.py <package.deb>  (skipped, exit 77, when the package is missing)"""
import os
import shutil
import subprocess
import sys
import tempfile

from e2e_export import export, read_sheet, stub_opener
from e2e_lesson import TITLE, login, pick_and_grade
from qs_e2e import Program, check, close_window, find, run, wait_for

SKIPPED = 77


class InstalledProgram(Program):
    """The program of an unpacked package: usr/bin/qingsui, its data in the user's folder."""

    def __init__(self, root, home):
        super().__init__(None, folder=home)
        self.executable = os.path.join(root, "usr", "bin", "qingsui")
        self.data_root = os.path.join(home, ".local", "share", "qingsui")
        self.env = {"HOME": home}


def snapshot(root):
    """Every entry under root with its size, mode and time."""
    entries = []
    for folder, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            entries.append((os.path.relpath(path, root), info.st_size, info.st_mode, info.st_mtime_ns))
    return sorted(entries)


def about_names(program, window, folder):
    menu = find(window, "menu item", "帮助")
    menu.queryAction().doAction(0)
    find(menu, "menu item", "关于...").queryAction().doAction(0)
    about = program.window("关于...")
    label = find(about, "label", "数据保存在个人数据文件夹：" + folder)
    check(label is not None, "the About box names the data folder")
    close_window("关于...")
    wait_for(lambda: not any(w.name == "关于..." for w in program.windows()), "the About box to close")


def test(deb):
    if not os.path.exists(deb):
        print("SKIP: no package at %s (scripts/package.sh writes it)" % deb)
        sys.exit(SKIPPED)
    root = tempfile.mkdtemp(prefix="qs-e2e-root-")
    home = tempfile.mkdtemp(prefix="qs-e2e-home-")
    scratch, documents, opened_log = stub_opener()
    os.environ.pop("XDG_DATA_HOME", None)
    try:
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        subprocess.run(["chmod", "-R", "a-w", root], check=True)
        unpacked = snapshot(root)
        check(any(entry[0] == "usr/share/qingsui/Data/Moren.qs" for entry in unpacked), "the package ships Data/Moren.qs")

        program = InstalledProgram(root, home)
        try:
            program.start()
            window = login(program, first=True)
            user = program.data_root
            for name in ("banji.qs", "xueke.qs", "Moren.qs", "一班语文denglu.qs", "一班语文Moren.qs"):
                check(program.has_data(name), "Data/%s in the user's folder" % name)
            with open(os.path.join(root, "usr/share/qingsui/Data/xueke.qs"), "rb") as f:
                check(program.data("xueke.qs") == f.read(), "xueke.qs seeded from the shipped file")
            check("一班语文课堂提问" in program.tables(), "Record.mdb in the user's folder holds the class")

            number, _ = pick_and_grade(program, window, "B")
            wait_for(lambda: program.query("select 评价 from [一班语文课堂提问] where 编号 = ?", number)[0][0] == "B",
                     "student %d graded B" % number)

            path = export(window, opened_log)
            check(os.path.dirname(path) == documents, "the workbook kept in the documents folder: %r" % path)
            check(read_sheet(path).get("A1") == "一班语文课堂提问", "the workbook holds the questioning table")

            about_names(program, window, user)
            close_window(TITLE)
            program.wait_exit()
        finally:
            program.kill()
        check(snapshot(root) == unpacked, "nothing written under the unpacked tree")

        again = InstalledProgram(root, home)
        try:
            again.start()
            window = login(again, first=False)
            history = again.query("select 历史 from [一班语文课堂提问] where 编号 = ?", number)
            check(history and history[0][0] == "B", "the second start finds the class and its grade: %r" % history)
            close_window(TITLE)
            again.wait_exit()
        finally:
            again.kill()
        check(snapshot(root) == unpacked, "nothing written under the unpacked tree by the second start")
    finally:
        subprocess.run(["chmod", "-R", "u+w", root], check=False)
        for folder in (root, home, scratch):
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    run(test)
