"""The language file of the user's locale, and the user's own file before it."""

import os
import shutil
from pathlib import Path

from conftest import run, wait_until
from test_dialogs import dialog
from test_strip import EURO, popup

LANG = Path(__file__).resolve().parents[2] / "lang"


def test_german_locale_speaks_german_until_the_users_own_file(start, request, tmp_path):
    program = tmp_path / "libexec" / "cambrivo" / "cambrivo"  # laid out as installed
    program.parent.mkdir(parents=True)
    shutil.copy(request.config.getoption("--program"), program)
    (tmp_path / "share" / "cambrivo").mkdir(parents=True)
    os.symlink(LANG, tmp_path / "share" / "cambrivo" / "lang")
    strip = start(program=program, env={"LANG": "de_DE.UTF-8"})
    strip.press(200, 9)
    run("xdotool", "key", "--delay", "40", "End", "shift+Home")
    strip.press(200, 9, button=3)  # the euro box's own edit menu, in the toolkit's German
    popup(strip)
    run("xdotool", "key", "a")  # "&Ausschneiden"; in Italian, the disabled "&Annulla"
    wait_until(lambda: strip.text(EURO) == "", what="the amount cut")
    (tmp_path / "data" / "Cambrivo").mkdir(parents=True)
    shutil.copy(LANG / "english.lgf", tmp_path / "data" / "Cambrivo")
    dialog(strip, "e", "Cambrivo - Configura")  # "&Einstellungen"; in Italian, "&Esci"
    assert strip.accessible("Decimals shown:")  # the user's file, read at the opening
