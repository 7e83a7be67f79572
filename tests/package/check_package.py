"""Checks of the Debian package that scripts/package.sh writes, one a run:

  lintian   lintian reports no error
  desktop   the desktop entry passes desktop-file-validate and says what the menu shows
  metainfo  the AppStream metadata passes appstreamcli validate
  contents  what is installed where, the icons' sizes, the dependencies

Usage: check_package.py CHECK package.deb  (exit 77, skipped, when the package is missing)"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SKIPPED = 77
APP_ID = "cn.qingsui.Qingsui"


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def unpacked(deb):
    root = tempfile.mkdtemp(prefix="qs-package-")
    subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
    return root


def run_tool(command):
    result = subprocess.run(command, capture_output=True, text=True)
    sys.stdout.write(result.stdout + result.stderr)
    return result.returncode


def lintian(deb):
    # Errors fail; warnings and notes are shown for the reader.
    code = run_tool(["lintian", "--fail-on", "error", "--display-info", deb])
    check(code == 0, "lintian reports errors")


def desktop(deb):
    root = unpacked(deb)
    try:
        entry = os.path.join(root, "usr/share/applications", APP_ID + ".desktop")
        check(os.path.exists(entry), "desktop entry installed as " + entry)
        check(run_tool(["desktop-file-validate", entry]) == 0, "desktop-file-validate")
        with open(entry, encoding="utf-8") as f:
            keys = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        check(keys.get("Name") == "青穗多媒体教学助手", "Name: %r" % keys.get("Name"))
        check(keys.get("Exec") == "qingsui" and keys.get("Icon") == "qingsui", "Exec and Icon name the program")
        check(keys.get("Categories", "").startswith("Education;"), "in the Education menu: %r" % keys.get("Categories"))
        check(keys.get("Comment") and keys.get("Keywords"), "Comment and Keywords given")
    finally:
        shutil.rmtree(root)


def metainfo(deb):
    root = unpacked(deb)
    try:
        data = os.path.join(root, "usr/share/metainfo", APP_ID + ".metainfo.xml")
        check(os.path.exists(data), "metainfo installed as " + data)
        check(run_tool(["appstreamcli", "validate", "--no-net", data]) == 0, "appstreamcli validate")
    finally:
        shutil.rmtree(root)


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    check(header[:8] == b"\x89PNG\r\n\x1a\n", path + " is a PNG")
    return struct.unpack(">II", header[16:24])


def contents(deb):
    root = unpacked(deb)
    try:
        binary = os.path.join(root, "usr/bin/qingsui")
        check(os.access(binary, os.X_OK), "the executable in /usr/bin")
        arch = subprocess.run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"], capture_output=True, text=True).stdout.strip()
        office = os.path.join(root, "usr/lib", arch, "qingsui/libqingsui-office.so")
        check(os.path.isfile(office) and not os.access(office, os.X_OK), "the office part in " + office[len(root):])
        share = os.path.join(root, "usr/share/qingsui")
        for name in ("Data/banji.qs", "Data/xueke.qs", "Data/Moren.qs", "xuan.avi", "cool.avi", "使用手册.chm"):
            check(os.path.isfile(os.path.join(share, name)), "/usr/share/qingsui/" + name)
        for side in (48, 128, 256):
            icon = os.path.join(root, "usr/share/icons/hicolor/%dx%d/apps/qingsui.png" % (side, side))
            check(os.path.exists(icon) and png_size(icon) == (side, side), "a %d px icon" % side)
        with open(os.path.join(root, "usr/share/icons/hicolor/scalable/apps/qingsui.svg"), encoding="utf-8") as f:
            check("<svg" in f.read(), "the scalable icon is an SVG")
        for name in ("copyright", "changelog.gz"):
            check(os.path.exists(os.path.join(root, "usr/share/doc/qingsui", name)), "/usr/share/doc/qingsui/" + name)
        check(os.path.exists(os.path.join(root, "usr/share/man/man1/qingsui.1.gz")), "the manual page")
    finally:
        shutil.rmtree(root)

    fields = {}
    for field in ("Package", "Version", "Depends", "Recommends", "Section"):
        fields[field] = subprocess.run(["dpkg-deb", "-f", deb, field], capture_output=True, text=True).stdout.strip()
    check(fields["Package"] == "qingsui" and fields["Version"] == "1.6", "qingsui 1.6: %r" % fields)
    depends = [d.strip().split(" ")[0] for d in fields["Depends"].split(",")]
    # From the binary (shlibdeps), and the pieces loaded at run time.
    for needed in ("libqt6widgets6", "libqt6sql6", "libqt6charts6", "libxlsxwriter4", "libc6", "libqt6sql6-sqlite",
                   "fonts-noto-cjk"):
        check(needed in depends, "depends on %s: %s" % (needed, fields["Depends"]))
    recommends = [r.strip().split(" ")[0] for r in fields["Recommends"].split(",")]
    for wanted in ("xchm", "libqt6sql6-psql"):
        check(wanted in recommends, "recommends %s: %r" % (wanted, fields["Recommends"]))
    check(fields["Section"] == "education", "section education")


CHECKS = {"lintian": lintian, "desktop": desktop, "metainfo": metainfo, "contents": contents}

if __name__ == "__main__":
    name, deb = sys.argv[1], sys.argv[2]
    if not os.path.exists(deb):
        print("SKIP: no package at %s (scripts/package.sh writes it)" % deb)
        sys.exit(SKIPPED)
    try:
        CHECKS[name](deb)
    except Failure as failure:
        print("FAIL:", failure)
        sys.exit(1)
    print("PASS")
