# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program in Xvfb (started by pytest-xvfb) under openbox, with a private session bus
# for the accessibility tree; every test gets an empty settings folder.

import os
import re
import subprocess
import time

import pytest


def pytest_addoption(parser):
    parser.addoption("--program")


def wait_until(condition, timeout=10.0, what="condition"):
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        assert time.monotonic() < deadline, f"timed out waiting for {what}"
        time.sleep(0.03)
    return value


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, timeout=30).stdout


def top_window():
    return int(run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").replace(",", "").split()[-1], 16)


@pytest.fixture(scope="session")
def desktop(xvfb, tmp_path_factory):
    assert xvfb is not None, "Xvfb is needed"
    # Italian, and neither the user's language list nor own files, unless a test says otherwise.
    os.environ.update(LANG="C.UTF-8", LANGUAGE="", LC_ALL="", LC_MESSAGES="",
                      XDG_DATA_HOME=str(tmp_path_factory.mktemp("data")))
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    wm = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
    wait_until(lambda: "WINDOW" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
               what="openbox")
    yield
    for process in (wm, bus):
        process.terminate()
        process.wait()


class Program:
    def __init__(self, path, config, env=None, args=()):
        self.config = config
        self.env = {**os.environ, "XDG_CONFIG_HOME": str(config), "XDG_RUNTIME_DIR": str(config),
                    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", **(env or {})}
        self.env.pop("QT_QPA_PLATFORM", None)
        self.process = subprocess.Popen([path, *args], env=self.env)
        self.window = wait_until(self.windows, what="the strip")[0]

    def windows(self):
        return run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)).split()

    def geometry(self):
        values = dict(line.split("=") for line in run(
            "xdotool", "getwindowgeometry", "--shell", self.window).split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def state(self):
        return run("xprop", "-id", self.window, "_NET_WM_STATE", "_NET_FRAME_EXTENTS")

    def application(self):
        import pyatspi
        return wait_until(lambda: next((app for app in pyatspi.Registry.getDesktop(0)
                                        if app and app.get_process_id() == self.process.pid),
                                       None), what="the program on the accessibility bus")

    def accessible(self, name):
        import pyatspi
        return wait_until(lambda: pyatspi.findDescendant(self.application(),
                                                         lambda a: a.name == name),
                          what=f"an accessible {name!r}")

    def text(self, name):
        text = self.accessible(name).queryText()
        return text.getText(0, text.characterCount)

    def press(self, x, y, button=1):
        wx, wy, _, _ = self.geometry()
        run("xdotool", "mousemove", str(wx + x), str(wy + y), "click", str(button))

    def popup(self):
        windows = wait_until(lambda: set(self.windows()) - {self.window}, what="the pop-up menu")
        return run("xdotool", "getwindowgeometry", windows.pop())

    def dialog(self, key, title):
        # Opens a dialog with the menu's key, checking that it is on top and centred.
        wait_until(lambda: run("xdotool", "getactivewindow").strip() == self.window,
                   what="the strip active")
        self.press(8, 9, button=3)
        self.popup()
        run("xdotool", "key", key)
        window = wait_until(lambda: run("xdotool", "search", "--onlyvisible", "--name",
                                        f"^{title}$").split(), what=title)[0]
        assert top_window() == int(window), "the dialog is above the strip"
        # The frame, not the window inside it, lies on the monitor's centre.
        width, height = map(int, run("xdotool", "getdisplaygeometry").split())

        def centred():
            extents = run("xprop", "-id", window, "_NET_FRAME_EXTENTS").partition("=")[2]
            left, right, top, bottom = map(int, extents.split(",") if extents else (0, 0, 0, 0))
            info = run("xwininfo", "-id", window)
            x, y, w, h = (int(re.search(rf"{key}:\s+(-?\d+)", info)[1]) for key in (
                "Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
            return abs(2 * x - left + w + right - width) + abs(2 * y - top + h + bottom - height) <= 3
        wait_until(centred, what="the frame centred")
        return window

    def store(self):
        stored = self.config / "Cambrivo" / "Cambrivo.conf"
        return stored.read_text(encoding="utf-8").splitlines() if stored.exists() else []


@pytest.fixture
def start(desktop, request, tmp_path):
    # start(stored lines) runs the program on a settings store holding those lines.
    programs = []

    def start_program(stored=None, program=None, env=None, args=()):
        if stored is not None:
            (tmp_path / "Cambrivo").mkdir(exist_ok=True)
            (tmp_path / "Cambrivo" / "Cambrivo.conf").write_text("[Parameters]\n" + stored)
        programs.append(Program(program or request.config.getoption("--program"), tmp_path, env,
                                args))
        return programs[-1]

    yield start_program
    for program in programs:
        program.process.kill()
        program.process.wait()
