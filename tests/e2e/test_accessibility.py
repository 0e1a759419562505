# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What a screen reader gets over AT-SPI, and what Orca itself says.

import subprocess
import time

from conftest import run, wait_until

EURO = "Importo in euro"


class Events:
    # AT-SPI events of the given kinds, gathered while the GLib loop is pumped.

    def __init__(self, *kinds):
        import pyatspi
        self.seen = []
        self.listener = lambda e: self.seen.append(
            (e.type, e.source.name, e.source.getRoleName(), e.any_data, e.source))
        pyatspi.Registry.registerEventListener(self.listener, *kinds)

    def pump(self, seconds):
        from gi.repository import GLib
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            GLib.MainContext.default().iteration(False)
            time.sleep(0.01)

    def wait(self, match, what, timeout=10.0):
        def found():
            self.pump(0.05)
            return [e for e in self.seen if match(*e)]
        return wait_until(found, timeout, what)[-1]


def test_the_menu_opens_by_keyboard_on_its_first_item_and_switches_always_on_top(start):
    import pyatspi
    events = Events("object:state-changed:focused")

    def focused(name, role):
        return events.wait(lambda kind, n, r, data, source: data and n == name and r == role,
                           f"{name} focused")[4].getState()
    strip = start()
    run("xdotool", "key", "--delay", "100", "Tab", "Tab")
    wait_until(lambda: strip.accessible("Menu").getState().contains(pyatspi.STATE_FOCUSED),
               what="the Menu button focused")
    run("xdotool", "key", "space")
    focused("Configura", "menu item")
    run("xdotool", "key", "Down")
    assert focused("Sempre in primo piano", "check box").contains(pyatspi.STATE_CHECKED)
    run("xdotool", "key", "Return")  # switches it, closing the menu
    wait_until(lambda: "_NET_WM_STATE_ABOVE" not in strip.state(), what="on top cleared")
    events.seen.clear()  # and opened again, the item is an unchecked check box
    run("xdotool", "key", "--delay", "100", "space", "Down")
    assert not focused("Sempre in primo piano", "check box").contains(pyatspi.STATE_CHECKED)
    assert strip.store() == []  # kept for the next start only at exit


def test_lists_say_their_item_on_focus_and_on_change(start):
    import pyatspi
    events = Events("object:text-changed:insert")
    strip = start()
    strip.dialog("o", "Cambrivo - Configura")
    name = "Decimali euro"
    assert (strip.accessible(name).getRoleName(), strip.text(name)) == ("combo box", "2")
    run("xdotool", "key", "--delay", "100", "alt+v", "Down")
    text = events.wait(lambda kind, name, role, data, source: role == "combo box"
                       and data == "LTL – Lietuvos litas", "the new item said")[4].queryText()
    assert text.getSelection(0) == (0, text.characterCount), "Orca says a selected insertion"


def test_typing_announces_the_settled_amount_once_and_orca_speaks_it_whole(start, tmp_path):
    import pyatspi
    log = tmp_path / "orca.log"
    orca = subprocess.Popen(["orca", "--replace", f"--debug-file={log}"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_until(lambda: any(app and app.name == "orca" for app in
                               pyatspi.Registry.getDesktop(0)), timeout=30, what="Orca")
        events = Events("object:state-changed:showing")
        strip = start()
        run("xdotool", "key", "Tab")
        time.sleep(1)
        run("xdotool", "type", "--delay", "100", "100")
        # A pause settles the amount: it is said well within three seconds of the last key.
        events.wait(lambda kind, name, *_: name == "193.627 Lit", "the announcement", 3.0)
        events.pump(3)  # for Orca to speak it; the amounts typed on the way are not announced
        assert [e[1] for e in events.seen if e[2] == "notification"] == ["193.627 Lit"]
        text = strip.accessible("Importo in Lit").queryText()  # read whole, not word by word
        count = text.characterCount
        assert text.getAttributeRun(count, False)[1:] == [0, count]  # at the end, as Orca asks
        assert text.getTextAtOffset(count, pyatspi.TEXT_BOUNDARY_LINE_START) == ("193.627", 0, count)
    finally:
        orca.terminate()  # Orca writes its log out as it ends
        try:
            orca.wait(timeout=20)
        except subprocess.TimeoutExpired:
            orca.kill()
            orca.wait()
    spoken = [line for line in log.read_text(errors="replace").splitlines()
              if "SPEECH OUTPUT:" in line]
    assert any("193.627" in line for line in spoken), spoken
