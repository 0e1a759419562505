# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The configuration dialog, opened from the strip's menu."""

import shutil

from conftest import run, wait_until


def one_euro(strip, own):
    wait_until(lambda: run("xdotool", "getactivewindow").strip() == strip.window, what="active")
    strip.press(200, 9)
    run("xdotool", "key", "--delay", "40", "End", "shift+Home", "BackSpace", "1")
    wait_until(lambda: strip.text(f"Importo in {own}") == "1,96", what="the conversion")


def test_first_start_in_bulgaria_then_configure_chooses_a_currency(start, request, tmp_path):
    # A copy without the shipped files beside it keeps the menu's Italian keys.
    program = shutil.copy(request.config.getoption("--program"), tmp_path)
    strip = start(program=program, env={"LC_ALL": "bg_BG.UTF-8"})
    one_euro(strip, "лв")
    strip.dialog("o", "Cambrivo - Configura")
    assert strip.accessible("BGN – Български лев").getRoleName() == "combo box"
    # To the mark: the first item is "any other", then the codes ATS, BEF, BGN, CYP, DEM.
    run("xdotool", "key", "--delay", "40", "alt+v", "Home", *["Down"] * 5, "Return")
    one_euro(strip, "DM")
