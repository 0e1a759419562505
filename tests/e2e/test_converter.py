"""Typing into the real converter strip and reading the amounts as a screen reader does."""

import sys

from desktop import BellWatch, DesktopTestCase, main, wait_until

EURO = "Importo in euro"
OWN = "Importo in valuta propria"

# Points inside the two amount boxes, in window coordinates.
EURO_BOX = (200, 9)
OWN_BOX = (60, 9)


class ConverterTest(DesktopTestCase):
    def test_typing_euro_shows_own_currency(self):
        program = self.start_program()
        program.click(*EURO_BOX)
        program.key("ctrl+a", "BackSpace")
        program.type("1")
        wait_until(lambda: program.text_of(OWN) == "1.936", message="1.936 in the lire box")
        self.assertEqual(program.text_of(EURO), "1")

    def test_typing_own_currency_shows_euro(self):
        # The own-currency box has the focus at start, its amount selected: typing replaces it.
        program = self.start_program()
        program.type("1000")
        wait_until(lambda: program.text_of(EURO) == "0,52", message="0,52 in the euro box")
        self.assertEqual(program.text_of(OWN), "1.000")

    def test_refused_key_beeps_and_changes_nothing(self):
        bells = BellWatch(self.desktop, self.bellwatch_path)
        program = self.start_program()
        program.click(*EURO_BOX)
        program.key("End", "BackSpace")
        program.type("12")
        wait_until(lambda: program.text_of(OWN) == "23.235", message="the conversion of 12")
        before = bells.rings()
        program.type("a-")
        wait_until(lambda: bells.rings() >= before + 2, message="two bells")
        self.assertEqual(program.text_of(EURO), "12")

    def test_menu_from_the_keyboard_leaves_the_amount_alone(self):
        from desktop import MenuWatch
        program = self.start_program()
        program.click(*EURO_BOX)
        program.key("End", "BackSpace")
        program.type("534")
        for keys in (("shift+F10",), ("Menu",)):
            watch = MenuWatch()
            self.addCleanup(watch.close)
            program.key(*keys)
            menu = watch.wait()
            self.assertEqual(menu.getChildAtIndex(menu.childCount - 1).name.replace("&", ""),
                             "Esci", keys)
            program.key("Escape")
        program.type("7")
        wait_until(lambda: program.text_of(EURO) == "5.347", message="5.347 in the euro box")

    def test_controls_are_named_for_screen_readers(self):
        import pyatspi
        program = self.start_program()
        for name, role in ((EURO, pyatspi.ROLE_TEXT), (OWN, pyatspi.ROLE_TEXT),
                           ("Menu", pyatspi.ROLE_PUSH_BUTTON)):
            control = program.control(name)
            self.assertEqual(control.getRole(), role)
            self.assertTrue(control.description)
        x, y, width, height = program.geometry()
        self.assertEqual((width, height), (285, 19))


if __name__ == "__main__":
    main(sys.argv)
