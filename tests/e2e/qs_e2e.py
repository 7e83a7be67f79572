"""Drives the real program as a screen reader does: through AT-SPI, finding widgets by
role, caption, window title and hint, typing with xdotool. Each test runs the program
from a throw-away copy of the built program folder."""
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT = 20
# Set by run-e2e.sh for the scripts' run against the tests' PostgreSQL server: each program
# folder then gets a fresh database there, passed with --database.
SERVER = os.environ.get("QS_E2E_SERVER_URL")


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(probe, what, timeout=TIMEOUT):
    end = time.time() + timeout
    while time.time() < end:
        try:
            result = probe()
        except Failure:
            raise
        except Exception:  # the tree changes under us while windows come and go
            result = None
        if result:
            return result
        time.sleep(0.15)
    raise Failure("timed out waiting for " + what)


class Program:
    """The program started from a copy of the built program folder."""

    def __init__(self, built_folder, folder=None):
        self.built = built_folder
        self.owned = folder is None
        self.folder = folder or tempfile.mkdtemp(prefix="qs-e2e-")
        if self.owned:
            for name in os.listdir(built_folder):
                source = os.path.join(built_folder, name)
                if name == "Record.mdb" or name.startswith("Record.mdb-"):
                    continue
                if os.path.isdir(source):
                    shutil.copytree(source, os.path.join(self.folder, name))
                else:
                    shutil.copy2(source, self.folder)
        self.process = None
        self.app = None
        # Where the program is started from and where it keeps its data: both the folder,
        # unless an installed program (InstalledProgram) says otherwise.
        self.executable = os.path.join(self.folder, "qingsui")
        self.data_root = self.folder
        self.env = {}
        self.server = _ServerDatabase.of(self.folder, self.owned) if SERVER else None

    # --- life cycle ---------------------------------------------------------------
    def start(self, *arguments):
        wait_for(_display_ready, "the virtual display to take connections")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8", **self.env)
        env.pop("QT_QPA_PLATFORM", None)
        # Now and then a new program cannot reach the fresh virtual display on its first try,
        # though the display already takes other connections: try it again.
        for attempt in range(3):
            self.log = tempfile.TemporaryFile()
            command = [self.executable] + list(arguments)
            if self.server:
                command += ["--database", self.server.url]
            self.process = subprocess.Popen(command, cwd="/", env=env, stderr=self.log)

            def registered():
                if self.process.poll() is not None:
                    raise Failure("the program ended at start with code %s:\n%s" % (self.process.returncode, self.errors()))
                return self._find_app()
            try:
                self.app = wait_for(registered, "the program on the accessibility bus", timeout=40)
                return self
            except Failure:
                if "could not connect to display" not in self.errors() or attempt == 2:
                    raise
                sys.stderr.write("the program could not reach the display; starting it again\n")
                time.sleep(1)

    def errors(self):
        """What the program wrote to its error output so far."""
        self.log.seek(0)
        text = self.log.read().decode("utf-8", "replace")
        self.log.seek(0, os.SEEK_END)
        return text

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def wait_exit(self, timeout=TIMEOUT):
        try:
            code = self.process.wait(timeout)
            # On a server nothing goes to a local file: that would split a class in two.
            check(not self.server or not os.path.exists(os.path.join(self.data_root, "Record.mdb")),
                  "a Record.mdb beside the program that works on a server")
            return code
        except subprocess.TimeoutExpired:
            shown = []
            for w in self.windows():
                if _showing(w):
                    shown.append("%s %r: %s" % (w.getRoleName(), w.name, alert_text(w)))
            raise Failure("the program did not end; showing: %s" % shown)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def cleanup(self):
        self.kill()
        if self.owned:
            if self.server:
                self.server.drop()
            shutil.rmtree(self.folder, ignore_errors=True)

    # --- files --------------------------------------------------------------------
    def data(self, name):
        if self.server:
            rows = self.server.query('select "内容" from "Data/" where "文件名" = %s', (name,))
            if not rows:
                raise FileNotFoundError("no Data file %r on the server" % name)
            return bytes(rows[0][0])
        with open(os.path.join(self.data_root, "Data", name), "rb") as f:
            return f.read()

    def has_data(self, name):
        if self.server:
            return bool(self.server.query('select 1 from "Data/" where "文件名" = %s', (name,)))
        return os.path.exists(os.path.join(self.data_root, "Data", name))

    def execute(self, sql, *args):
        """A change made beside the running program, as another copy of it would."""
        if self.server:
            return self.server.execute(sql, args)
        db = sqlite3.connect(os.path.join(self.data_root, "Record.mdb"), timeout=10)
        try:
            with db:
                db.execute(sql, args)
        finally:
            db.close()

    def query(self, sql, *args):
        if self.server:
            return self.server.query(sql, args)
        db = sqlite3.connect(os.path.join(self.data_root, "Record.mdb"), timeout=10)
        try:
            return db.execute(sql, args).fetchall()
        finally:
            db.close()

    def tables(self):
        if self.server:
            return {row[0] for row in self.server.query(
                "select c.relname from pg_class c join pg_namespace n on n.oid = c.relnamespace "
                "where n.nspname = current_schema() and c.relkind = 'r'", ())}
        return {row[0] for row in self.query("select name from sqlite_master where type='table'")}

    # --- finding widgets ----------------------------------------------------------
    def windows(self):
        return [w for w in self.app if w is not None]

    def window(self, title, timeout=TIMEOUT):
        return wait_for(lambda: next((w for w in self.windows() if w.name == title and _showing(w)), None),
                        "window " + repr(title), timeout)

    def window_starting(self, prefix, timeout=TIMEOUT):
        return wait_for(lambda: next((w for w in self.windows() if w.name.startswith(prefix) and _showing(w)), None),
                        "window " + repr(prefix), timeout)

    def alert(self, caption=None, timeout=TIMEOUT):
        def probe():
            for w in self.windows():
                for node in [w] + list(_descendants(w)):
                    if node.getRoleName() in ("alert", "dialog") and _showing(node) and (caption is None or node.name == caption):
                        if any(n.getRoleName() == "push button" for n in _descendants(node)):
                            return node
            return None
        return wait_for(probe, "message box " + repr(caption), timeout)

    def no_alert(self, wait=1.0):
        time.sleep(wait)
        for w in self.windows():
            for node in [w] + list(_descendants(w)):
                if node.getRoleName() == "alert" and _showing(node):
                    raise Failure("unexpected message box: " + alert_text(node))


class _ServerDatabase:
    """A fresh database on the tests' server for one program folder, and SQLite-style
    statements ([name], ?, pragma table_info) run on it."""
    MARK = ".e2e-database"

    def __init__(self, url):
        self.url = url

    @classmethod
    def of(cls, folder, owned):
        mark = os.path.join(folder, cls.MARK)
        if not owned and os.path.exists(mark):
            with open(mark) as f:
                return cls(f.read().strip())
        name = "qs_e2e_%d_%d" % (os.getpid(), int(time.time() * 1000) % 100000000)
        cls._admin("create database %s" % name)
        database = cls(re.sub(r"/[^/]*$", "/" + name, SERVER))
        with open(mark, "w") as f:
            f.write(database.url)
        return database

    @staticmethod
    def _admin(sql):
        import psycopg2
        db = psycopg2.connect(SERVER)
        db.autocommit = True
        try:
            db.cursor().execute(sql)
        finally:
            db.close()

    def drop(self):
        self._admin("drop database if exists %s with (force)" % self.url.rsplit("/", 1)[1])

    @staticmethod
    def _translated(sql):
        sql = re.sub(r"\[([^\]]*)\]", r'"\1"', sql)
        return sql.replace("?", "%s")

    def _run(self, sql, args, fetch):
        import psycopg2
        pragma = re.match(r"\s*pragma table_info\((.*)\)\s*$", sql, re.IGNORECASE)
        if pragma:
            table = pragma.group(1).strip("[]\"'")
            sql = ("select a.attnum, a.attname from pg_attribute a where a.attrelid = %s::regclass "
                   "and a.attnum > 0 and not a.attisdropped and a.attname <> 'rowid' order by a.attnum")
            args = ('"%s"' % table,)
        else:
            sql = self._translated(sql)
        db = psycopg2.connect(self.url)
        try:
            with db:
                cursor = db.cursor()
                cursor.execute(sql, args or None)
                return [tuple(row) for row in cursor.fetchall()] if fetch else None
        finally:
            db.close()

    def query(self, sql, args):
        return self._run(sql, args, True)

    def execute(self, sql, args):
        return self._run(sql, args, False)


def _display_ready():
    from Xlib import display, error
    try:
        display.Display().close()
        return True
    except (error.DisplayError, error.ConnectionClosedError, OSError):
        return False


def _showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def _descendants(node):
    stack = [c for c in node if c is not None]
    while stack:
        n = stack.pop(0)
        yield n
        stack.extend(c for c in n if c is not None)


def find(root, role=None, name=None, description=None, timeout=TIMEOUT):
    def probe():
        for n in _descendants(root):
            if role and n.getRoleName() != role:
                continue
            if name is not None and n.name != name:
                continue
            if description is not None and n.description != description:
                continue
            return n
        return None
    return wait_for(probe, "%s name=%r hint=%r" % (role, name, description), timeout)


def table_rows(table):
    """The names of a table's cells, row by row."""
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


def alert_text(box):
    return "\n".join(n.name for n in _descendants(box) if n.getRoleName() == "label" and n.name)


BUTTON_NAMES = {"Yes": ("是", "Yes", "&Yes"), "No": ("否", "No", "&No"), "OK": ("确定", "OK", "&OK"),
                "Cancel": ("取消", "Cancel", "&Cancel")}


def press(node, name):
    """Presses a button by caption; Yes/No/OK/Cancel also match their Chinese captions."""
    names = BUTTON_NAMES.get(name, (name,))
    button = wait_for(lambda: next((n for n in _descendants(node) if n.getRoleName() == "push button"
                                    and any(n.name.replace("&", "").startswith(c) for c in names)), None),
                      "button " + repr(name))
    button.queryAction().doAction(0)


def set_text(node, text):
    node.queryEditableText().setTextContents(text)


def text_of(node):
    t = node.queryText()
    return t.getText(0, -1)


def answer(program, caption, expected_text, button):
    """Waits for the message box with this caption and text, presses a button on it and
    waits for it to go."""
    seen = []

    def probe():
        try:
            box = program.alert(caption, timeout=0.5)
        except Failure:
            return None
        text = alert_text(box)
        seen.append(text)
        return box if expected_text in text else None
    try:
        box = wait_for(probe, "message %r" % expected_text)
    except Failure:
        raise Failure("message %r not shown; saw %r" % (expected_text, sorted(set(seen))))
    text = alert_text(box)
    press(box, button)
    wait_for(lambda: not _showing(box), "the message box to close")
    return text


def window_id(title):
    out = subprocess.run(["xdotool", "search", "--name", "^" + title + "$"], capture_output=True, text=True).stdout.split()
    return out[-1] if out else None


def key(title, *keys):
    """Focuses the window with this title and sends keys to it."""
    wid = wait_for(lambda: window_id(title), "X window " + repr(title))
    subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=False)
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(keys), check=False)


def run(test):
    """Runs test(built_folder) and reports like a test runner."""
    built = sys.argv[1]
    try:
        test(built)
    except Failure as failure:
        print("FAIL:", failure)
        sys.exit(1)
    print("PASS")


def close_window(title):
    """Asks the window to close, as its close box does (WM_DELETE_WINDOW)."""
    from Xlib import X, display, protocol
    wait_for(lambda: window_id(title), "X window " + repr(title))
    ids = subprocess.run(["xdotool", "search", "--name", "^" + title + "$"], capture_output=True, text=True).stdout.split()
    d = display.Display()
    protocols = d.intern_atom("WM_PROTOCOLS")
    delete = d.intern_atom("WM_DELETE_WINDOW")
    for wid in ids:
        window = d.create_resource_object("window", int(wid))
        event = protocol.event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
    d.sync()  # a round trip: the server has taken the request before we go on
    d.close()
    return ids
