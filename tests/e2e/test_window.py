"""The strip's placement, dragging, menu, always-on-top and exit, in a real X server with a
window manager, driven from outside."""

import os
import signal
import subprocess
import sys

from desktop import DesktopTestCase, MenuWatch, main, wait_until

SCREEN = (1024, 768)
STRIP = (285, 19)
HANDLE = (8, 9)  # a point on cmdMenu, in window coordinates


class WindowTest(DesktopTestCase):
    def net_wm_state(self, program):
        return self.desktop.x("xprop", "-id", program.window, "_NET_WM_STATE")

    def is_on_top(self, program):
        return "_NET_WM_STATE_ABOVE" in self.net_wm_state(program)

    def stacking(self):
        out = self.desktop.x("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
        return [int(w.strip(" ,"), 16) for w in out.split("#", 1)[-1].split(",") if w.strip()]

    def open_menu(self, program):
        watch = MenuWatch()
        self.addCleanup(watch.close)
        program.click(*HANDLE, button=3)
        return watch.wait()

    def position(self, program):
        return program.geometry()[:2]

    def test_opens_undecorated_centred_and_on_top(self):
        program = self.start_program()
        self.assertEqual(program.geometry(), (370, 0) + STRIP)
        extents = self.desktop.x("xprop", "-id", program.window, "_NET_FRAME_EXTENTS")
        self.assertIn("= 0, 0, 0, 0", extents)
        wait_until(lambda: self.is_on_top(program), message="_NET_WM_STATE_ABOVE")

    def test_left_drag_moves_and_stops_at_screen_edges(self):
        program = self.start_program()
        x, y = self.position(program)
        drag = ["xdotool", "mousemove", "--sync", str(x + HANDLE[0]), str(y + HANDLE[1]),
                "mousedown", "1", "sleep", "0.1",
                "mousemove", "--sync", str(x + HANDLE[0] + 100), str(y + HANDLE[1] + 200),
                "sleep", "0.3"]
        self.desktop.x(*drag)
        wait_until(lambda: self.position(program) == (x + 100, y + 200), message="the drag")
        self.desktop.x("xdotool", "mousemove", "--sync", str(SCREEN[0] - 1), str(SCREEN[1] - 1),
                       "sleep", "0.3")
        wait_until(lambda: self.position(program) == (SCREEN[0] - STRIP[0],
                                                      SCREEN[1] - STRIP[1]),
                   message="the bottom-right edges")
        self.desktop.x("xdotool", "mousemove", "--sync", "0", "0", "sleep", "0.3")
        wait_until(lambda: self.position(program) == (0, 0), message="the top-left edges")
        self.desktop.x("xdotool", "mouseup", "1")

    def test_right_click_opens_menu_under_the_strip(self):
        program = self.start_program()
        menu = self.open_menu(program)
        names = [menu.getChildAtIndex(i).name for i in range(menu.childCount)]
        self.assertEqual(len(names), 6)
        for expected, name in zip(("Configura", "Sempre in primo piano", None, "Su...", None,
                                   "Esci"), names):
            if expected:
                self.assertEqual(name.replace("&", ""), expected)
        popups = [w for w in self.desktop.x("xdotool", "search", "--onlyvisible", "--pid",
                                            str(program.process.pid)).split()
                  if w != program.window]
        self.assertEqual(len(popups), 1)
        geometry = self.desktop.x("xdotool", "getwindowgeometry", popups[0])
        self.assertIn("Position: 370,19 ", geometry)

        # Items answer the right button as well as the left.
        import pyatspi
        item = menu.getChildAtIndex(1).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.desktop.x("xdotool", "mousemove", "--sync", str(item.x + item.width // 2),
                       str(item.y + item.height // 2), "click", "3")
        wait_until(lambda: not self.is_on_top(program), message="_NET_WM_STATE_ABOVE cleared")
        self.assertIsNone(program.process.poll())

    def test_always_on_top_off_lets_other_windows_cover_the_strip(self):
        program = self.start_program()
        wait_until(lambda: self.is_on_top(program), message="_NET_WM_STATE_ABOVE")
        cover = subprocess.Popen(["xmessage", "-geometry", "400x80+300+0", "cover"],
                                 env=self.desktop.env, start_new_session=True)
        self.desktop.processes.append(cover)
        # xmessage does not name its process on its window; it does name its class.
        cover_id = int(wait_until(lambda: self.desktop.x(
            "xdotool", "search", "--onlyvisible", "--class", "Xmessage", check=False).split(),
            message="the covering window")[0])
        strip_id = int(program.window)
        self.assertLess(self.stacking().index(cover_id), self.stacking().index(strip_id))

        self.open_menu(program)
        program.key("p")
        wait_until(lambda: not self.is_on_top(program), message="_NET_WM_STATE_ABOVE cleared")
        self.desktop.x("xdotool", "windowactivate", "--sync", str(cover_id))
        wait_until(lambda: self.stacking().index(cover_id) > self.stacking().index(strip_id),
                   message="the other window above the strip")
        self.assertEqual(self.position(program), (370, 0))
        self.assertEqual(self.desktop.read_store(), "")

    def test_exit_stores_position_and_state_and_restart_restores_them(self):
        program = self.start_program()
        x, y = self.position(program)
        self.desktop.x("xdotool", "mousemove", "--sync", str(x + HANDLE[0]), str(y + HANDLE[1]),
                       "mousedown", "1", "sleep", "0.1", "mousemove", "--sync",
                       str(x + HANDLE[0] - 170), str(y + HANDLE[1] + 300), "sleep", "0.3",
                       "mouseup", "1")
        wait_until(lambda: self.position(program) == (200, 300), message="the drag")
        self.open_menu(program)
        program.key("p")
        wait_until(lambda: not self.is_on_top(program), message="_NET_WM_STATE_ABOVE cleared")
        self.open_menu(program)
        program.key("e")
        self.assertEqual(program.exited(), 0)
        store = self.desktop.read_store()
        for line in ("Top=300", "Left=200", "OnTop=0"):
            self.assertIn(line, store.splitlines())

        again = self.start_program()
        self.assertEqual(self.position(again), (200, 300))
        wait_until(lambda: "_NET_WM_STATE" in self.net_wm_state(again), message="the state")
        self.assertFalse(self.is_on_top(again))

    def test_window_manager_close_is_exit(self):
        self.desktop.write_store("Top=40\nLeft=50\n")
        program = self.start_program()
        self.assertEqual(self.position(program), (50, 40))
        program.click(200, 9)
        program.key("alt+F4")
        self.assertEqual(program.exited(), 0)
        self.assertIn("OnTop=1", self.desktop.read_store().splitlines())

    def test_terminate_leaves_the_store_alone(self):
        self.desktop.write_store("Top=40\nLeft=50\nOnTop=1\n")
        before = self.desktop.read_store()
        program = self.start_program()
        self.open_menu(program)
        program.key("p")
        wait_until(lambda: not self.is_on_top(program), message="_NET_WM_STATE_ABOVE cleared")
        os.kill(program.process.pid, signal.SIGTERM)
        self.assertEqual(program.exited(), -signal.SIGTERM)
        self.assertEqual(self.desktop.read_store(), before)


if __name__ == "__main__":
    main(sys.argv)
