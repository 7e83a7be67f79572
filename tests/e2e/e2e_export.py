"""导出至Excel through the real window: the questioning view goes into a workbook in the
documents folder, named in the status bar and handed to the desktop's opener. The opener
here is a stand-in xdg-open, first on PATH, that records the file it is asked to open;
then one that finds no application (exit 3), which the teacher is told of."""
import os
import shutil
import stat
import tempfile
import xml.etree.ElementTree as ET
import zipfile
from urllib.parse import unquote

from e2e_lesson import TITLE, login
from qs_e2e import Program, _descendants, answer, check, find, run, wait_for

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
TITLE_WITH_VERSION = "青穗多媒体教学助手 1.6"


def read_sheet(path):
    """Cell reference to value (float for numbers, str for text) of the first sheet."""
    with zipfile.ZipFile(path) as book:
        strings = []
        if "xl/sharedStrings.xml" in book.namelist():
            for item in ET.fromstring(book.read("xl/sharedStrings.xml")).findall("m:si", NS):
                strings.append("".join(t.text or "" for t in item.iter("{%s}t" % NS["m"])))
        cells = {}
        for cell in ET.fromstring(book.read("xl/worksheets/sheet1.xml")).iter("{%s}c" % NS["m"]):
            value = cell.find("m:v", NS)
            if value is None:
                continue
            kind = cell.get("t")
            cells[cell.get("r")] = strings[int(value.text)] if kind == "s" else value.text if kind == "str" else float(value.text)
        return cells


def expected_cells(program):
    columns = [row[1] for row in program.query("pragma table_info([一班语文课堂提问])")]
    rows = program.query("select * from [一班语文课堂提问] order by 编号")
    cells = {"A1": "一班语文课堂提问"}
    for c, name in enumerate(columns):
        cells[chr(65 + c) + "2"] = name
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is None or value == "":
                continue
            if isinstance(value, (int, float)):
                value = float(value)
            cells[chr(65 + c) + str(r + 3)] = value
    return cells, len(rows)


def write_opener(opener, opened_log, exit_code=0):
    """The stand-in xdg-open: records the file and ends with exit_code."""
    with open(opener, "w") as f:
        f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\nexit %d\n' % (opened_log, exit_code))
    os.chmod(opener, os.stat(opener).st_mode | stat.S_IXUSR)


def stub_opener():
    """A scratch folder whose documents folder takes the workbook, and a stand-in
    xdg-open first on PATH that records the file it is asked to open."""
    scratch = tempfile.mkdtemp(prefix="qs-e2e-export-")
    documents = os.path.join(scratch, "文档")
    config = os.path.join(scratch, "config")
    stubs = os.path.join(scratch, "bin")
    opened_log = os.path.join(scratch, "opened.txt")
    for folder in (config, stubs):
        os.makedirs(folder)
    with open(os.path.join(config, "user-dirs.dirs"), "w") as f:
        f.write('XDG_DOCUMENTS_DIR="%s"\n' % documents)
    write_opener(os.path.join(stubs, "xdg-open"), opened_log)
    os.environ["PATH"] = stubs + os.pathsep + os.environ.get("PATH", "")
    os.environ["XDG_CONFIG_HOME"] = config
    return scratch, documents, opened_log


def export(window, opened_log):
    """文件 > 导出至Excel; the path of the workbook handed to the opener."""
    before = 0
    if os.path.exists(opened_log):
        with open(opened_log) as f:
            before = len([line for line in f if line.strip()])
    menu = find(window, "menu item", "文件")
    menu.queryAction().doAction(0)
    find(menu, "menu item", "导出至Excel").queryAction().doAction(0)

    def opened():
        if not os.path.exists(opened_log):
            return None
        with open(opened_log) as f:
            lines = [line.strip() for line in f if line.strip()]
        return lines if len(lines) > before else None
    lines = wait_for(opened, "the workbook handed to xdg-open")
    check(len(lines) == before + 1, "opened once: %r" % lines)
    target = lines[-1]
    path = target[len("file://"):] if target.startswith("file://") else target
    return unquote(path)


def test(built):
    scratch, documents, opened_log = stub_opener()

    program = Program(built)
    try:
        program.start()
        window = login(program, first=True)
        path = export(window, opened_log)
        check(os.path.dirname(path) == documents, "kept in the documents folder: %r" % path)
        check(os.path.basename(path).startswith("一班语文课堂提问 ") and path.endswith(".xlsx"),
              "named after the table with date and time: %r" % path)
        labels = [n for n in _labels(window) if path in (n.name or "")]
        check(labels, "the status bar names the workbook %r" % path)

        cells = read_sheet(path)
        expected, students = expected_cells(program)
        check(students > 0, "the class has students")
        check(cells == expected, "workbook cells\n%r\nexpected\n%r" % (sorted(cells.items()), sorted(expected.items())))
        program.no_alert(0.5)

        # No application for the file: the opener's exit code 3 is told, the workbook kept.
        write_opener(os.path.join(scratch, "bin", "xdg-open"), opened_log, exit_code=3)
        second = export(window, opened_log)
        answer(program, TITLE_WITH_VERSION, "无法启动Excel\n工作簿已保存在：%s" % second, "OK")
        check(os.path.exists(second), "the workbook is kept: %r" % second)
    finally:
        program.cleanup()
        shutil.rmtree(scratch, ignore_errors=True)


def _labels(root):
    return [n for n in _descendants(root) if n.getRoleName() == "label"]


if __name__ == "__main__":
    run(test)
