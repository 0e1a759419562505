# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The language file of the user's locale, and the user's own file before it.

import shutil
from pathlib import Path

from conftest import run, wait_until

LANG = Path(__file__).resolve().parents[2] / "lang"


def test_german_locale_speaks_german_until_the_users_own_file(start, request, tmp_path):
    shutil.copytree(LANG, tmp_path / "share" / "cambrivo" / "lang")  # laid out as installed
    (tmp_path / "libexec" / "cambrivo").mkdir(parents=True)
    program = shutil.copy(request.config.getoption("--program"), tmp_path / "libexec" / "cambrivo")
    strip = start("CurrencyDescription=Lit\n", program=program,
                  env={"LANG": "de_DE.UTF-8", "XDG_DATA_HOME": str(tmp_path / "data")})
    strip.press(70, 9, button=3)  # the own box's edit menu, in the toolkit's German
    strip.popup()
    run("xdotool", "key", "a")  # "&Ausschneiden" its selected "0"; in Italian, "&Annulla"
    wait_until(lambda: strip.text("Betrag in Lit") == "", what="the amount cut")
    strip.dialog("e", "Cambrivo - Einstellungen")  # "&Einstellungen"; in Italian, "&Esci"
    run("xdotool", "key", "Escape")
    shutil.copytree(LANG, tmp_path / "data" / "Cambrivo")  # of which balgarski.lgf counts
    strip.dialog("e", "Cambrivo - .*")
    assert strip.accessible("Показвани десетични знаци:")  # read at the opening


def test_a_site_file_speaks_for_users_without_their_own(start, tmp_path):
    site = tmp_path / "site" / "Cambrivo"
    site.mkdir(parents=True)
    english = Path(shutil.copy(LANG / "english.lgf", site)).read_text(encoding="utf-8")
    tip = next(line.split("=", 1)[1] for line in english.splitlines()
               if line.startswith("cmdMenu.ToolTipText="))
    strip = start(env={"LANG": "de_DE.UTF-8",  # whose shipped file the site's file overrides
                       "XDG_CONFIG_DIRS": f"{tmp_path / 'none'}:{tmp_path / 'site'}"})
    assert strip.accessible("Menu").description == tip
