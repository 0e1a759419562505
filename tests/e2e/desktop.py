"""A private X desktop for driving the real program from outside.

Starts Xvfb, openbox and a private D-Bus session (which activates the accessibility bus), runs
the program with a temporary settings folder, and stops exactly what it started.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest


def wait_until(condition, timeout=10.0, interval=0.05, message="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {message}")
        time.sleep(interval)


class Desktop:
    def __init__(self, width=1024, height=768):
        self.width, self.height = width, height
        self.processes = []
        self.home = tempfile.mkdtemp(prefix="cambrivo-e2e-")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                 "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME")}
        self.env["HOME"] = self.home
        self.env["XDG_RUNTIME_DIR"] = self.home
        self.config = os.path.join(self.home, "config")
        self.env["XDG_CONFIG_HOME"] = self.config

    def _spawn(self, args, **kwargs):
        process = subprocess.Popen(args, env=self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def start(self):
        read_fd, write_fd = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                     f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
                    pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            display = pipe.readline().strip()
        if not display:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + display

        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

        self._spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.x(
            "xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False), message="openbox")
        # pyatspi finds the accessibility bus through these.
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        return self

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in self.processes:
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
            for stream in (process.stdout, process.stderr):
                if stream:
                    stream.close()
        self.processes.clear()
        shutil.rmtree(self.home, ignore_errors=True)

    def x(self, *args, check=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise AssertionError(f"{args} failed: {result.stderr}")
        return result.stdout

    # The settings store -------------------------------------------------------------------
    @property
    def store(self):
        return os.path.join(self.config, "Cambrivo", "Cambrivo.conf")

    def write_store(self, text):
        os.makedirs(os.path.dirname(self.store), exist_ok=True)
        with open(self.store, "w", encoding="utf-8") as f:
            f.write("[Parameters]\n" + text)

    def read_store(self):
        try:
            with open(self.store, encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return ""


class Program:
    """The real program, its window and its accessible controls."""

    def __init__(self, desktop, path):
        self.desktop = desktop
        env = dict(desktop.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.log = open(os.path.join(desktop.home, "program.log"), "a", encoding="utf-8")
        self.process = subprocess.Popen([path], env=env, start_new_session=True,
                                        stdout=self.log, stderr=self.log)
        desktop.processes.append(self.process)
        self.window = wait_until(self._find_window, timeout=20, message="the main window")
        self.app = wait_until(self._find_accessible_app, timeout=20,
                              message="the program on the accessibility bus")

    def _find_window(self):
        out = self.desktop.x("xdotool", "search", "--onlyvisible", "--pid",
                             str(self.process.pid), check=False).split()
        return out[0] if out else None

    def _find_accessible_app(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                continue
        return None

    def geometry(self):
        """(x, y, width, height) of the window's client area on the screen."""
        values = {}
        for line in self.desktop.x("xdotool", "getwindowgeometry", "--shell",
                                   self.window).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def control(self, name):
        import pyatspi
        found = pyatspi.findDescendant(self.app, lambda a: a.name == name)
        if found is None:
            raise AssertionError(f"no accessible control named {name!r}")
        return found

    def text_of(self, name):
        text = self.control(name).queryText()
        return text.getText(0, text.characterCount)

    def click(self, x, y, button=1):
        wx, wy, _, _ = self.geometry()
        self.desktop.x("xdotool", "mousemove", "--sync", str(wx + x), str(wy + y),
                       "click", str(button))

    def type(self, text):
        self.desktop.x("xdotool", "type", "--delay", "40", text)

    def key(self, *keys):
        self.desktop.x("xdotool", "key", "--delay", "40", *keys)

    def exited(self, timeout=10.0):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=5)
        self.log.close()


class MenuWatch:
    """Catches pop-up menus as they open: Qt does not list an open menu in the application's
    accessible tree, but it does announce that the menu is showing."""

    def __init__(self):
        import pyatspi
        self.menus = []
        self._listener = self._on_showing
        pyatspi.Registry.registerEventListener(self._listener, "object:state-changed:showing")

    def _on_showing(self, event):
        import pyatspi
        try:
            if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_POPUP_MENU:
                self.menus.append(event.source)
        except Exception:  # the menu may be gone already
            pass

    def wait(self, timeout=10.0):
        from gi.repository import GLib
        context = GLib.MainContext.default()

        def pump():
            while context.iteration(False):
                pass
            return self.menus.pop(0) if self.menus else None

        return wait_until(pump, timeout=timeout, interval=0.02, message="a pop-up menu")

    def close(self):
        import pyatspi
        pyatspi.Registry.deregisterEventListener(self._listener, "object:state-changed:showing")


class BellWatch:
    def __init__(self, desktop, path):
        self.process = subprocess.Popen([path], env=desktop.env, stdout=subprocess.PIPE,
                                        text=True, start_new_session=True)
        desktop.processes.append(self.process)
        if self.process.stdout.readline().strip() != "ready":
            raise RuntimeError("bellwatch did not start")
        os.set_blocking(self.process.stdout.fileno(), False)
        self.count = 0

    def rings(self):
        while True:
            line = self.process.stdout.readline()
            if not line:
                return self.count
            self.count += line.startswith("bell")


class DesktopTestCase(unittest.TestCase):
    """One desktop for the whole class (the accessibility client binds to its bus once); each
    test starts with an empty settings folder."""

    program_path = None
    bellwatch_path = None

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop().start()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.stop()

    def setUp(self):
        shutil.rmtree(self.desktop.config, ignore_errors=True)

    def start_program(self):
        program = Program(self.desktop, self.program_path)
        self.addCleanup(program.stop)
        return program


def main(argv):
    """Runs the calling module's tests with the program and helper paths from argv."""
    DesktopTestCase.program_path = os.path.abspath(argv[1])
    if len(argv) > 2:
        DesktopTestCase.bellwatch_path = os.path.abspath(argv[2])
    unittest.main(argv=argv[:1], verbosity=2)
