# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Screenshots of the real program in Xvfb with openbox, at scale factors 1 and 2: the strip, the
open menu and the two dialogs the menu opens, and the configuration dialog and the About box in
the language of every shipped language file (configure-CODE-scaleN.png, about-CODE-scaleN.png),
written as PNG files into the folder given.

    screenshots.py PROGRAM OUTPUT_FOLDER

A dialog that does not open from its menu item is reported and skipped."""

import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from Xlib import X, display as xdisplay

SCREEN = (1024, 768)
HANDLE = (8, 9)      # a point on the strip's menu button, in window coordinates at scale 1
DIALOGS = (("configure", "o"), ("about", "s"))  # "C&onfigura" and "&Su..."
LANG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lang")


def wait_for(condition, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return None


def write_png(path, width, height, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


class Session:
    """Xvfb, openbox and the program at one scale factor; stops exactly what it started."""

    def __init__(self, program, scale):
        self.scale = scale
        self.processes = []
        self.display = None
        self.home = tempfile.mkdtemp(prefix="cambrivo-shots-")
        try:
            self.start(program)
        except BaseException:
            self.stop()
            raise

    def start(self, program):
        # Italian, whatever the machine's locale, unless a language is asked for.
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                 "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS")
                    and not k.startswith(("LC_", "LANG"))}
        self.env.update(HOME=self.home, XDG_RUNTIME_DIR=self.home, LANG="C.UTF-8",
                        XDG_CONFIG_HOME=os.path.join(self.home, "config"))
        read_fd, write_fd = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                    f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                   pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        self.display = xdisplay.Display(self.env["DISPLAY"])
        self.root = self.display.screen().root
        self.spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
        if not wait_for(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.x(
                "xprop", "-root", "_NET_SUPPORTING_WM_CHECK")):
            raise RuntimeError("openbox did not start")
        self.run(program)

    def run(self, program, **env):
        """Starts program, with env added to its environment, and waits for its strip."""
        self.program = self.spawn([program], env=dict(self.env, QT_SCALE_FACTOR=str(self.scale),
                                                      **env),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.strip = wait_for(self.windows, timeout=20)
        if not self.strip:
            raise RuntimeError("the program showed no window")
        self.strip = self.strip[0]

    def end_program(self):
        self.program.terminate()
        self.program.wait(timeout=10)

    def spawn(self, args, env=None, **kwargs):
        process = subprocess.Popen(args, env=env or self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def stop(self):
        if self.display:
            self.display.close()
        for process in reversed(self.processes):
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGTERM)
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def x(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True,
                              timeout=20).stdout

    def windows(self):
        """The program's visible windows, oldest first."""
        return [int(w) for w in self.x("xdotool", "search", "--onlyvisible", "--pid",
                                       str(self.program.pid)).split()]

    def new_window(self, known, timeout):
        found = wait_for(lambda: [w for w in self.windows() if w not in known], timeout)
        return found[0] if found else None

    def gone(self, window):
        return wait_for(lambda: window not in self.windows(), timeout=5)

    def rect(self, window, frame=False):
        """(left, top, right, bottom) on the screen, with the window manager's frame if asked."""
        w = self.display.create_resource_object("window", window)
        geometry = w.get_geometry()
        origin = w.translate_coords(self.root, 0, 0)
        left, top = -origin.x, -origin.y
        rect = [left, top, left + geometry.width, top + geometry.height]
        extents = w.get_full_property(self.display.intern_atom("_NET_FRAME_EXTENTS"),
                                      X.AnyPropertyType)
        if frame and extents:
            l, r, t, b = extents.value
            rect = [rect[0] - l, rect[1] - t, rect[2] + r, rect[3] + b]
        return rect

    def click(self, point, button):
        left, top, _, _ = self.rect(self.strip)
        # No --sync: it waits for ever when the pointer is on the spot already.
        self.x("xdotool", "mousemove", str(left + point[0] * self.scale),
               str(top + point[1] * self.scale), "sleep", "0.2", "click", str(button))

    def key(self, *keys):
        self.x("xdotool", "key", "--delay", "60", *keys)

    def park_pointer(self):
        self.x("xdotool", "mousemove", "--sync", "0", str(SCREEN[1] - 1))

    def capture(self, path, *rects):
        time.sleep(0.8)  # let the last paint reach the screen
        left = max(0, min(r[0] for r in rects))
        top = max(0, min(r[1] for r in rects))
        right = min(SCREEN[0], max(r[2] for r in rects))
        bottom = min(SCREEN[1], max(r[3] for r in rects))
        width, height = right - left, bottom - top
        data = self.root.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
        rows = []
        for y in range(height):
            bgrx = data[y * width * 4:(y + 1) * width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
            rows.append(bytes(rgb))
        write_png(path, width, height, rows)
        print(path)


def shoot(program, folder, scale):
    session = Session(program, scale)
    try:
        name = lambda what: os.path.join(folder, f"{what}-scale{scale}.png")
        session.key("Tab")  # into the euro box, which selects its amount
        session.x("xdotool", "type", "--delay", "60", "100")
        session.park_pointer()
        session.capture(name("strip"), session.rect(session.strip))

        known = [session.strip]
        session.click(HANDLE, 3)
        menu = session.new_window(known, timeout=10)
        if not menu:
            raise RuntimeError("the menu did not open")
        session.capture(name("menu"), session.rect(session.strip), session.rect(menu))
        session.key("Escape")
        session.gone(menu)

        for dialog_name, access_key in DIALOGS:
            session.click(HANDLE, 3)
            menu = session.new_window(known, timeout=10)
            session.key(access_key)
            session.gone(menu)
            dialog = session.new_window(known, timeout=3)
            if not dialog:
                print(f"no {dialog_name} dialog opens from the menu yet; skipped")
                continue
            session.park_pointer()
            session.capture(name(dialog_name), session.rect(dialog, frame=True))
            session.key("Escape")
            session.gone(dialog)
    finally:
        session.stop()


def shipped_languages():
    """The language each shipped file names under [Language], in the files' name order."""
    codes = []
    for name in sorted(n for n in os.listdir(LANG) if n.endswith(".lgf")):
        with open(os.path.join(LANG, name), encoding="utf-8") as f:
            codes += [line.split("=", 1)[1].strip() for line in f if line.startswith("Code=")]
    return codes


def shoot_languages(program, folder, scale):
    """The configuration dialog and the About box in every shipped language, opened from the
    menu by position, as the access keys differ from language to language."""
    session = Session(program, scale)
    try:
        def capture_dialog(code, keys, what, name):
            # Opens a dialog from the strip's menu with keys and captures it with its frame.
            known = [session.strip]
            session.click(HANDLE, 3)
            menu = session.new_window(known, timeout=10)
            session.key(*keys, "Return")
            session.gone(menu)
            dialog = session.new_window(known, timeout=5)
            if not dialog:
                raise RuntimeError(f"the {what} did not open in {code}")
            session.park_pointer()
            session.capture(os.path.join(folder, f"{name}-{code}-scale{scale}.png"),
                            session.rect(dialog, frame=True))
            return dialog

        for code in shipped_languages():
            session.end_program()
            session.run(program, LANGUAGE=code)
            dialog = capture_dialog(code, ["Down"], "configuration dialog", "configure")
            session.key("Escape")
            session.gone(dialog)
            # The About box: Up from no item reaches Exit, the last; the next Up, past the separator.
            capture_dialog(code, ["Up", "Up"], "About box", "about")
    finally:
        session.stop()


def main(argv):
    program, folder = os.path.abspath(argv[1]), argv[2]
    os.makedirs(folder, exist_ok=True)
    for scale in (1, 2):
        shoot(program, folder, scale)
        shoot_languages(program, folder, scale)


if __name__ == "__main__":
    main(sys.argv)
