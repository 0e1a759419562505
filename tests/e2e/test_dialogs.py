"""The configuration dialog and the About box, opened from the strip's menu."""

from conftest import run, top_window, wait_until
from test_strip import EURO, popup


def dialog(strip, key, title):
    wait_until(lambda: run("xdotool", "getactivewindow").strip() == strip.window,
               what="the strip active")
    strip.press(8, 9, button=3)
    popup(strip)
    run("xdotool", "key", key)
    window = wait_until(lambda: run("xdotool", "search", "--onlyvisible", "--name",
                                    f"^{title}$").split(), what=title)[0]
    assert top_window() == int(window), "the dialog is above the strip"
    return window


def test_configure_changes_the_conversion_and_about_closes(start):
    strip = start()
    dialog(strip, "o", "Cambrivo - Configura")
    assert strip.text("1 Euro =") == "1936,27"
    run("xdotool", "type", "--delay", "40", "1,95583")  # the rate is selected at opening
    # Keys of their own for "лв": xdotool would otherwise remap a key for each letter, and
    # the program may read the key after the map is back.
    from Xlib import XK, display
    keyboard = display.Display()
    keyboard.change_keyboard_mapping(247, [(XK.string_to_keysym(f"Cyrillic_{name}"),)
                                           for name in ("el", "ve")])
    keyboard.sync()
    run("xdotool", "key", "--delay", "40", "alt+s", "ctrl+a", "BackSpace", "Cyrillic_el",
        "Cyrillic_ve")
    run("xdotool", "key", "--delay", "40", "alt+c", "2", "Return")
    wait_until(lambda: "CurrencyDescription=лв" in strip.store(), what="the saved symbol")
    assert {"Value=\"1,95583\"", "EuroDecimal=2", "CurrencyDecimal=2", "UseSeparator=1"} <= set(
        strip.store())
    wait_until(lambda: run("xdotool", "getactivewindow").strip() == strip.window,
               what="the strip active again")
    strip.press(200, 9)
    run("xdotool", "key", "--delay", "40", "End", "shift+Home", "BackSpace", "1")
    wait_until(lambda: strip.text("Importo in лв") == "1,96", what="the new conversion")
    assert strip.text(EURO) == "1"

    about = dialog(strip, "s", "Informazioni su Cambrivo")
    assert strip.accessible("Versione 1.4.0")
    run("xdotool", "key", "Escape")
    wait_until(lambda: about not in run("xdotool", "search", "--onlyvisible", "--name",
                                        "Informazioni"), what="the About box to close")

