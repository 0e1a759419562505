# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The configuration dialog, opened from the strip's menu."""

import re
import shutil

from conftest import run, top_window, wait_until
from test_strip import popup



def dialog(strip, key, title):
    wait_until(lambda: run("xdotool", "getactivewindow").strip() == strip.window,
               what="the strip active")
    strip.press(8, 9, button=3)
    popup(strip)
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


def one_euro(strip, own):
    wait_until(lambda: run("xdotool", "getactivewindow").strip() == strip.window, what="active")
    strip.press(200, 9)
    run("xdotool", "key", "--delay", "40", "End", "shift+Home", "BackSpace", "1")
    wait_until(lambda: strip.text(f"Importo in {own}") == "1,96", what="the conversion")


def test_configure_chooses_a_currency(start):
    strip = start()
    dialog(strip, "o", "Cambrivo - Configura")
    # From the lira to the lev: the first item is "any other", then the codes ATS, BEF, BGN.
    run("xdotool", "key", "--delay", "40", "alt+v", "Home", "Down", "Down", "Down", "Return")
    one_euro(strip, "лв")


def test_first_start_in_bulgaria(start, request, tmp_path):
    # A copy without the shipped files beside it keeps the menu's Italian keys.
    program = shutil.copy(request.config.getoption("--program"), tmp_path)
    strip = start(program=program, env={"LC_ALL": "bg_BG.UTF-8"})
    one_euro(strip, "лв")
    dialog(strip, "o", "Cambrivo - Configura")
    assert strip.accessible("BGN – Български лев").getRoleName() == "combo box"
