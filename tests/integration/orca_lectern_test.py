#!/usr/bin/python3
"""What a blind user hears from the full-screen view: the real screen reader (Orca) beside the real program, in a
private desktop with its own sound server and speech service. F11 opens the view, which presents the speech on
display again; SPACE and the left arrow give speeches in it, and each must be among what Orca sent to speech once,
though the main window behind the view shows it too. ESCAPE closes the view."""

import subprocess
import sys
import time
from collections import Counter

from desktop_session import accessible_tree, find_application, wait_for, walk
from orca_test import USER_PACE, desktop_with_orca, main_window, not_heard_as_expected

VIEW_TITLE = "Parlanza: discurso en pantalla completa"


def main(program):
    with desktop_with_orca(program) as desktop:
        pyatspi = accessible_tree()
        application = find_application(pyatspi)
        main_window(application)
        time.sleep(3)  # the window's own presentation and the first speech's come first

        def key(name):
            subprocess.run(["xdotool", "key", name], check=True)

        key("F11")
        view = wait_for(lambda: next((node for node in walk(application) if node.getRoleName() == "frame"
                                      and node.name == VIEW_TITLE), None), what="la vista de pantalla completa")

        def control(name):
            return wait_for(lambda: next((node for node in walk(view) if node.getRoleName() == "label"
                                          and name(node.name)), None), what="un rótulo de la vista")

        counter = control(lambda text: text.startswith("Nº:"))
        speech = control(lambda text: text.endswith("..."))
        shown = [speech.name]
        time.sleep(USER_PACE)

        def new_speech(step, what):
            before = counter.name
            step()
            wait_for(lambda: counter.name != before, what=f"un discurso nuevo tras {what}")
            shown.append(speech.name)
            time.sleep(USER_PACE)

        new_speech(lambda: key("space"), "ESPACIO")
        new_speech(lambda: key("space"), "otro ESPACIO")
        new_speech(lambda: key("Left"), "la flecha izquierda")
        key("Escape")
        wait_for(lambda: not any(node.getRoleName() == "frame" and node.name == VIEW_TITLE
                                 for node in walk(application)), what="la vista cerrada")
        time.sleep(2)

        # The first speech twice: the main window's at start, and the view's as it opens.
        missing = not_heard_as_expected(desktop, Counter(shown + shown[:1]))
        assert not missing, "discursos de la vista que Orca no dijo una sola vez:\n" + "\n".join(missing)
        print(f"Orca dijo los {len(shown)} discursos de la vista, una vez cada uno.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
