# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What only a real X server and window manager show: placement, the beep, the menu's
# position, the drag, the window manager's close and what a screen reader reads.

import subprocess

from conftest import run, wait_until

OWN, EURO = "Importo in Lit", "Importo in euro"


def test_an_unplugged_monitor_takes_the_strip_onto_the_one_left(start, request):
    run("xrandr", "--setmonitor", "left", "512/135x768/203+0+0", "screen")
    run("xrandr", "--setmonitor", "right", "512/135x768/203+512+0", "none")
    request.addfinalizer(lambda: [run("xrandr", "--delmonitor", m) for m in ("right", "left")])
    strip = start("Left=600\nTop=300\n")
    wait_until(lambda: strip.geometry()[:2] == (600, 300), what="the strip on the right")
    run("xrandr", "--delmonitor", "right")
    wait_until(lambda: strip.geometry()[:2] == (227, 300), what="the strip on the left")


def test_typing_converts_as_read_aloud_and_a_refused_key_rings(start, tmp_path, request):
    bells = tmp_path / "bells"
    (tmp_path / "xkbevd.cf").write_text(f'Bell() shell "echo >> {bells}"\n')
    request.addfinalizer(subprocess.Popen(["xkbevd", "-cfg", tmp_path / "xkbevd.cf"],
                                          stdout=subprocess.DEVNULL).kill)
    wait_until(bells.exists, what="the bell watcher's own bell")
    strip = start()
    run("xdotool", "type", "--delay", "40", "10x00")  # the own box has the focus, its text selected
    wait_until(lambda: strip.text(EURO) == "0,52", what="0,52 euro")
    assert len(bells.read_text().splitlines()) == 2, "one bell for the refused key"


def test_menu_opens_under_the_strip(start):
    strip = start()
    strip.press(8, 9, button=3)
    assert "Position: 370,19 " in strip.popup()


def test_fast_drag_follows_the_pointer_and_exit_restores(start):
    from Xlib import X, display
    strip = start()
    x, y, _, _ = strip.geometry()
    watch = display.Display()
    watch.create_resource_object("window", int(strip.window)).change_attributes(
        event_mask=X.StructureNotifyMask)
    watch.sync()
    steps = [f"mousemove {x + 8 + 2 * i} {y + 9 + i}" for i in range(1, 151)]
    run("sh", "-c", f"xdotool mousemove --sync {x + 8} {y + 9} mousedown 1 "
        + " ".join(steps) + " sleep 0.5 mouseup 1")
    wait_until(lambda: strip.geometry()[:2] == (x + 300, y + 150), what="the end of the drag")
    # Every position the window manager reports lies on the pointer's path, in order.
    events = [watch.next_event() for _ in range(watch.pending_events())]
    seen = [(e.x - x, e.y - y) for e in events if e.type == X.ConfigureNotify and e.send_event]
    assert seen and all(dx == 2 * dy and 0 <= dy <= 150 for dx, dy in seen), seen
    assert [dy for _, dy in seen] == sorted(dy for _, dy in seen), seen

    run("xdotool", "key", "alt+F4")  # the window manager's close is the menu's exit
    assert strip.process.wait(timeout=10) == 0
    assert {f"Left={x + 300}", f"Top={y + 150}", "OnTop=1"} <= set(strip.store())


def test_a_minimised_dialog_comes_back_at_a_click_or_key_on_the_strip(start):
    strip = start()
    before = strip.text(OWN)
    window = strip.dialog("o", "Cambrivo - Configura")
    for touch in (lambda: strip.press(200, 9), lambda: run("xdotool", "key", "5")):
        run("xdotool", "windowminimize", "--sync", window)
        run("xdotool", "windowactivate", "--sync", strip.window)
        touch()
        wait_until(lambda: run("xdotool", "getactivewindow").strip() == window,
                   what="the dialog back and focused")
    run("xdotool", "key", "Escape")
    assert strip.text(OWN) == before  # the key went to the dialog, not the blocked strip
