"""Drives the real Mind Prism executable the way a user does: it reads the
windows through the accessibility bus (what a screen reader sees), presses
buttons through it, and types keys with xdotool.

Run inside `dbus-run-session` with an X display; see CMakeLists.txt."""

import os
import shutil
import subprocess
import tempfile
import time
import xml.etree.ElementTree as ET

import pyatspi


class Timeout(AssertionError):
    pass


def wait_for(what, probe, timeout=15.0):
    """Calls probe() until it returns something true; returns that."""
    deadline = time.time() + timeout
    while True:
        try:
            value = probe()
        except Exception:  # the accessible tree changes under our feet
            value = None
        if value:
            return value
        if time.time() > deadline:
            raise Timeout("timed out waiting for " + what)
        time.sleep(0.1)


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def find_all(root, role=None, name=None):
    return [n for n in walk(root)
            if (role is None or n.getRoleName() == role)
            and (name is None or n.name == name)]


def find(root, role=None, name=None):
    found = find_all(root, role, name)
    return found[0] if found else None


def text_of(node):
    return node.queryText().getText(0, -1)


class MindPrism:
    """One run of the application with its own settings folder."""

    def __init__(self, exe, config_home=None, cwd=None, args=(), env=None):
        self.exe = exe
        self.env = dict(env or {})
        self.own_config = config_home is None
        self.config_home = config_home or tempfile.mkdtemp(prefix="mindprism-e2e-")
        self.cwd = cwd or os.path.dirname(exe)
        self.args = list(args)
        self.process = None

    @property
    def settings_file(self):
        return os.path.join(self.config_home, "Mindprism.conf")

    def store_language(self, value):
        with open(self.settings_file, "w", encoding="utf-8") as f:
            f.write("ui_language=%s\n" % value)

    def stored(self):
        with open(self.settings_file, encoding="utf-8") as f:
            return f.read()

    def start(self):
        # The program's language comes from its setting alone: the toolkit's
        # own buttons ("OK") would otherwise follow the caller's language.
        env = {k: v for k, v in os.environ.items()
               if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
        env.update(XDG_CONFIG_HOME=self.config_home, LANG="C.UTF-8")
        env.update(self.env)
        self.process = subprocess.Popen([self.exe] + self.args, cwd=self.cwd, env=env)
        return self

    def application(self):
        def probe():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "mindprism" and \
                        app.get_process_id() == self.process.pid:
                    return app
            return None
        return wait_for("the application on the accessibility bus", probe)

    def windows(self):
        return [w for w in self.application() if w is not None]

    def window(self, name=None, role=None, timeout=30.0):
        """A top-level window by its title or accessible role. (The toolkit's
        own dialogs are frames to the accessibility bus; native message boxes
        are alerts, named after their kind, not their caption.)"""
        def probe():
            return next((w for w in self.windows() if w.name == name or w.getRoleName() == role),
                        None)
        try:
            return wait_for("window %r" % (name or role), probe, timeout)
        except Timeout as error:
            raise Timeout("%s; open: %r" % (error, self.window_names())) from None

    def window_names(self):
        try:
            return [w.name for w in self.windows()]
        except Exception as error:
            return "unknown (%s)" % error

    def gone(self, name=None, role=None, timeout=10.0):
        """Waits until no window with this title or accessible role is open."""
        wait_for("%r to close" % (name or role), lambda: not any(
            w.name == name or w.getRoleName() == role for w in self.windows()), timeout)

    def press(self, root, name):
        """Clicks a button with the real pointer. (The accessibility action
        would not return before a modal window it opens is closed.)"""
        button = wait_for("button %r" % name, lambda: find(root, "push button", name))
        self.point_at(button, "click", "1")

    def key(self, window, keys):
        """Types keys into `window` (the pointer gives it the keyboard focus,
        as there is no window manager)."""
        self.point_at(window)
        wait_for("%r to have the keyboard focus" % window.name,
                 lambda: window.getState().contains(pyatspi.STATE_ACTIVE))
        subprocess.run(["xdotool", "key", keys], check=True)

    def point_at(self, node, *then):
        """Moves the pointer to the middle of `node`, then does what xdotool's
        further arguments say."""
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), *then], check=True)

    def wait_exit(self, timeout=10.0):
        return self.process.wait(timeout)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.own_config:
            shutil.rmtree(self.config_home, ignore_errors=True)


def quiz_edition(exe, stem, language):
    """The quiz file the program reads for this interface language: the
    language's edition when the build has one, else the Chinese one."""
    data = os.path.join(os.path.dirname(exe), "data")
    path = os.path.join(data, "%s-%s.xml" % (stem, language))
    return path if os.path.isfile(path) else os.path.join(data, stem + "-zh_CN.xml")


def quiz_questions(path):
    """The questions of a quiz file: ID -> (text, [(answer, target), ...])."""
    return {q.findtext("ID"): (q.findtext("Q"),
                               [(a.findtext("A"), a.findtext("GOTO")) for a in q.findall("ANSWER")])
            for q in ET.parse(path).getroot()}


def question_text(frame):
    """The question text and the answers listed under it."""
    text = find(frame, "text")
    answers = find(frame, "table")  # the first list; a Problems pane comes after it
    return text_of(text), [c.name for c in find_all(answers, "table cell")]


def choose_row(dialog, row_name):
    """Selects a row of a list in a dialog, as a click on it would."""
    cell = wait_for("row %r" % row_name, lambda: find(dialog, "table cell", row_name))
    table = cell.parent
    index = [c for c in table].index(cell)
    table.querySelection().selectChild(index)
