#!/usr/bin/python3
"""Reads the real program through the accessibility bus, as a screen reader does: the speech on display, the
counter and the mode by their names, the announcement of a new speech and of a new mode, and every control of
both windows. Prints what an Orca-style reader says for each control."""

import subprocess
import sys
import time

from desktop_session import Desktop, accessible_tree, find_application, press, reading, wait_for, walk

HINT_OF_SPEECH = "En esta ventana se presenta la nueva composición"


def showing(pyatspi, window):
    return [node for node in walk(window) if node is not window and node.getRoleName() != "list item"
            and node.getState().contains(pyatspi.STATE_SHOWING)]


def press_help(program):
    """Chooses "Ayuda" from another process: the help window is modal, so the press gets no answer while it is
    open."""
    pyatspi = accessible_tree()
    application = find_application(pyatspi)
    item = next(node for node in walk(application)
                if node.getRoleName() == "menu item" and node.name.startswith("Ayuda"))
    press(pyatspi, item)


def main(program):
    with Desktop(program) as desktop:
        pyatspi = accessible_tree()
        from gi.repository import GLib

        application = find_application(pyatspi)
        main_window = wait_for(lambda: next((node for node in walk(application) if node.getRoleName() == "frame"
                                             and "PARLANZA" in node.name), None), what="la ventana principal")

        def control(test, window=main_window):
            return wait_for(lambda: next((node for node in walk(window) if test(node)), None), what="un mando")

        speech = control(lambda node: node.description.startswith(HINT_OF_SPEECH))
        counter = control(lambda node: node.name.startswith("Nº:"))
        next_speech = control(lambda node: node.name.strip().startswith("Click para CONTINUAR"))
        first = speech.name
        assert " ..." in first and len(first) > 20, f"el discurso no se lee: {first!r}"
        assert counter.name == "Nº:  1", counter.name

        announced = []
        pyatspi.Registry.registerEventListener(
            lambda event: announced.append((event.source.description, event.source.name)),
            "object:property-change:accessible-name")

        def pump_until(condition, seconds=10):
            deadline = time.time() + seconds
            context = GLib.MainContext.default()
            while time.time() < deadline and not condition():
                context.iteration(False)
                time.sleep(0.02)
            return condition()

        press(pyatspi, next_speech)
        assert pump_until(lambda: any(source.startswith(HINT_OF_SPEECH) for source, _ in announced)), \
            f"un discurso nuevo no se anuncia: {announced!r}"
        assert counter.name == "Nº:  2", counter.name
        spoken = [name for source, name in announced if source.startswith(HINT_OF_SPEECH)][-1]
        assert spoken == speech.name and " ..." in spoken, spoken

        mode = control(lambda node: node.name == "Manual")
        assert mode.getRoleName() == "push button", mode.getRoleName()
        press(pyatspi, mode)
        assert pump_until(lambda: ("Auto" in [name for _, name in announced])), \
            f"el cambio de modo no se anuncia: {announced!r}"
        assert counter.name == "Nº:  3", counter.name
        press(pyatspi, mode)

        print("Ventana principal:")
        for node in showing(pyatspi, main_window):
            print("  " + reading(node))

        desktop.start([sys.executable, __file__, "--ayuda", program], stderr=subprocess.DEVNULL)
        help_window = wait_for(lambda: next((node for node in walk(application) if node.getRoleName() == "dialog"
                                             and "AYUDA" in node.name), None), what="la ventana de ayuda")
        hint_area = control(lambda node: node.description.startswith("Indicaciones"), help_window)
        assert hint_area.getRoleName() == "label", hint_area.getRoleName()
        search_caption = control(lambda node: node.name == "Introducir el texto a Buscar", help_window)
        print("Ventana de ayuda:")
        for node in showing(pyatspi, help_window):
            if node.getRoleName() != "list item":
                print("  " + reading(node))
        del search_caption
    return 0


if __name__ == "__main__":
    if sys.argv[1] == "--ayuda":
        sys.exit(press_help(sys.argv[2]))
    sys.exit(main(sys.argv[1]))
