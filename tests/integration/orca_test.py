#!/usr/bin/python3
"""What a blind user hears: the real screen reader (Orca) beside the real program, in a private desktop with its own
sound server (a null sink) and speech service. The window is driven with keys and pointer clicks; every new speech
must be among what Orca sent to speech, once: the first one, SPACE, the next-speech button, the step-back button,
the mode label, the timer's ticks, a base from the list of bases and "Inicia Discursos"."""

import os
import re
import shutil
import subprocess
import sys
import time
from collections import Counter

from desktop_session import Desktop, accessible_tree, find_application, skip, wait_for, walk

HINT_OF_SPEECH = "En esta ventana se presenta la nueva composición"
USER_PACE = 1.5  # seconds between two steps


def start_speech(desktop):
    """The sound server, the speech service and Orca, in the desktop's runtime folder. Orca blocks in its speech
    client without a working speech service, so that comes first."""
    runtime = desktop.runtime
    os.environ.pop("PULSE_SERVER", None)
    desktop.start(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
                   "--load=module-null-sink sink_name=nulo", "--load=module-native-protocol-unix"],
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: subprocess.run(["pactl", "info"], capture_output=True).returncode == 0,
             what="el servidor de sonido")
    subprocess.run(["pactl", "set-default-sink", "nulo"], check=True, capture_output=True)
    desktop.start(["speech-dispatcher", "--run-single", "--timeout", "0"], stdout=subprocess.DEVNULL,
                  stderr=subprocess.DEVNULL)
    wait_for(lambda: os.path.exists(os.path.join(runtime, "speech-dispatcher", "speechd.sock")),
             what="el servicio de voz")
    os.makedirs(os.path.join(runtime, "orca"))
    desktop.log = os.path.join(runtime, "orca.log")
    desktop.orca = desktop.start(["orca", "--replace", "-u", os.path.join(runtime, "orca"),
                                  "--debug-file=" + desktop.log], env=dict(os.environ, LANGUAGE="es"),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(listening_for_showing, seconds=30, what="Orca escuchando el bus de accesibilidad")


def listening_for_showing():
    """Whether some client (Orca, once it has started) listens for objects becoming showing."""
    from gi.repository import Gio, GLib
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1).unpack()[0]
    flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
    bus = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)
    try:
        events = bus.call_sync("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
                               "GetRegisteredEvents", None, None, Gio.DBusCallFlags.NONE, -1).unpack()[0]
    finally:
        bus.close_sync(None)
    return any("showing" in event.lower() or event.lower().startswith("object:state-changed")
               for _, event in events)


def spoken(log):
    """Every string Orca sent to speech, on one line each. The string stands between quotes after "SPEECH OUTPUT:"
    and before the voice that speaks it; a string of several lines goes on in the lines that follow."""
    strings = []
    text = None
    with open(log, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            if text is None:
                found = re.search(r" - SPEECH OUTPUT: '(.*)", line)
                if not found:
                    continue
                text = found.group(1)
            else:
                text += " " + line
            end = re.search(r"' ?\{'established'", text)
            if end:
                strings.append(" ".join(text[:end.start()].split()))
                text = None
    return strings


def not_heard_as_expected(desktop, expected):
    """Stops Orca, prints what it said, and lists the texts that it did not announce as often as expected (a
    Counter of texts)."""
    desktop.orca.terminate()  # the log is whole once Orca has shut down
    desktop.orca.wait(timeout=15)
    said = spoken(desktop.log)
    print("Orca dijo:")
    for text in said:
        print("  " + text)
    heard = Counter(text for text in said if text.startswith("notificación "))
    wanted = Counter()
    for text, times in expected.items():
        wanted[" ".join(text.split())] += times
    return [f"{heard['notificación ' + text]} veces en vez de {times}: {text!r}"
            for text, times in wanted.items() if heard["notificación " + text] != times]


def desktop_with_orca(program):
    """The private desktop, with Orca and its speech service beside the program; skipped without them."""
    for tool in ("orca", "pulseaudio", "pactl", "speech-dispatcher", "xdotool"):
        if not shutil.which(tool):
            skip(f"falta {tool}")
    return Desktop(program, window_manager=True, services=start_speech)


def main_window(application):
    return wait_for(lambda: next((node for node in walk(application) if node.getRoleName() == "frame"
                                  and "PARLANZA" in node.name), None), what="la ventana principal")


def main(program):
    with desktop_with_orca(program) as desktop:
        pyatspi = accessible_tree()
        application = find_application(pyatspi)
        window = main_window(application)

        def control(test):
            return wait_for(lambda: next((node for node in walk(window) if test(node)), None), what="un mando")

        def click(node):
            x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"],
                           check=True)

        speech = control(lambda node: node.description.startswith(HINT_OF_SPEECH))
        counter = control(lambda node: node.name.startswith("Nº:"))
        shown = [speech.name]

        def new_speech(step, what):
            before = counter.name
            step()
            wait_for(lambda: counter.name != before, what=f"un discurso nuevo tras {what}")
            shown.append(speech.name)
            # At a user's pace: Orca speaks only the newest of announcements that come faster than it takes them.
            time.sleep(USER_PACE)

        # The window's own presentation and the first speech's come first.
        time.sleep(3)
        new_speech(lambda: subprocess.run(["xdotool", "key", "space"], check=True), "ESPACIO")
        next_button = control(lambda node: node.name.strip().startswith("Click para CONTINUAR"))
        new_speech(lambda: click(next_button), "el botón de discurso nuevo")
        new_speech(lambda: click(control(lambda node: node.name == "Discurso anterior")), "volver atrás")
        new_speech(lambda: click(control(lambda node: node.name == "Manual")), "la etiqueta del modo")
        for tick in ("primer", "segundo"):
            new_speech(lambda: None, f"el {tick} tic del reloj")
        new_speech(lambda: click(next_button), "el botón de discurso nuevo en modo automático")

        def menu(caption):
            return control(lambda node: node.getRoleName() == "menu item" and node.name.startswith(caption))

        click(menu("Base Discursos"))
        bases = control(lambda node: node.name == "Bases de discursos" and node.childCount > 1)
        new_speech(lambda: click(bases.getChildAtIndex(1)), "elegir una base")
        new_speech(lambda: click(menu("Inicia Discursos")), "Inicia Discursos")
        time.sleep(3)

        missing = not_heard_as_expected(desktop, Counter(shown))
        assert not missing, "discursos que Orca no dijo una sola vez:\n" + "\n".join(missing)
        print(f"Orca dijo los {len(shown)} discursos, una vez cada uno.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
