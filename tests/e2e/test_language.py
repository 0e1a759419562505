"""A language file beside the program re-captions it; a hostile one changes nothing."""

import os
import shutil
from pathlib import Path

from conftest import run
from test_dialogs import dialog
from test_strip import popup

LANG = Path(__file__).resolve().parents[2] / "lang"


def program_in(folder, request):
    folder.mkdir()
    return shutil.copy(request.config.getoption("--program"), folder)


def test_english_file_recaptions_the_strip_menu_and_dialog(start, request, tmp_path):
    program = program_in(tmp_path / "bin", request)
    english = Path(shutil.copy(LANG / "english.lgf", tmp_path / "bin"))
    strip = start(program=program)
    assert strip.accessible("Menu").description == "Right-click to open the menu"
    assert strip.accessible("Lit")  # the stored symbol, not the file's caption
    dialog(strip, "c", "Cambrivo - Configura")
    assert strip.accessible("Decimals shown:")
    english.write_text(english.read_text().replace("Decimals shown:", "Places:"))
    run("xdotool", "key", "Escape")
    dialog(strip, "c", "Cambrivo - Configura")  # read again at each opening
    assert strip.accessible("Places:")
    run("xdotool", "key", "Escape")
    strip.press(8, 9, button=3)
    popup(strip)
    run("xdotool", "key", "x")  # "E&xit"
    assert strip.process.wait(timeout=10) == 0


def test_hostile_files_leave_the_built_in_texts(start, request, tmp_path):
    program = program_in(tmp_path / "bin", request)
    (tmp_path / "bin" / "a.lgf").write_bytes(os.urandom(4096))
    os.symlink("/dev/zero", tmp_path / "bin" / "B.LGF")
    with open(tmp_path / "bin" / "c.lgf", "wb") as big:
        big.write(b"[frmMain]\ncmdMenu.ToolTipText=big\n" + b"x" * 50_000_000)
    os.mkfifo(tmp_path / "bin" / "d.lgf")
    strip = start(program=program)  # maps at once, or the fixture times out
    assert strip.accessible("Menu").description.startswith("Cliccare")
