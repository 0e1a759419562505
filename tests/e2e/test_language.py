"""A language file beside the program re-captions it; a hostile one changes nothing."""

import os
import shutil
from pathlib import Path

from conftest import run, wait_until
from test_strip import popup

LANG = Path(__file__).resolve().parents[2] / "lang"


def program_in(folder, request):
    folder.mkdir()
    return shutil.copy(request.config.getoption("--program"), folder)


def test_english_file_recaptions_tool_tips_and_menu(start, request, tmp_path):
    program = program_in(tmp_path / "bin", request)
    shutil.copy(LANG / "english.lgf", tmp_path / "bin")
    strip = start(program=program)
    assert strip.accessible("Menu").description == "Right-click to open the menu"
    strip.press(8, 9, button=3)
    popup(strip)
    run("xdotool", "key", "x")  # "E&xit"
    assert strip.exit_code() == 0


def test_hostile_files_leave_the_built_in_texts(start, request, tmp_path):
    program = program_in(tmp_path / "bin", request)
    (tmp_path / "bin" / "a.lgf").write_bytes(os.urandom(4096))
    os.symlink("/dev/zero", tmp_path / "bin" / "B.LGF")
    with open(tmp_path / "bin" / "c.lgf", "wb") as big:
        big.write(b"[frmMain]\ncmdMenu.ToolTipText=big\n" + b"x" * 50_000_000)
    os.mkfifo(tmp_path / "bin" / "d.lgf")
    strip = start(program=program)  # maps at once, or the fixture times out
    assert strip.accessible("Menu").description.startswith("Cliccare")
