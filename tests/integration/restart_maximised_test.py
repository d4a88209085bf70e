#!/usr/bin/python3
"""Maximises the real program's window under a window manager (openbox) and runs "Inicia Discursos": the window
must come back to its normal state at the very place and size it had before, at the first restart."""

import ctypes
import ctypes.util
import shutil
import subprocess
import sys
import time

from desktop_session import Desktop, accessible_tree, find_application, press, skip, wait_for, walk


def maximise(window):
    """Asks the window manager to maximise a window, as its title bar's button does."""
    xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong

    class Message(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("padding", ctypes.c_long * 12)]

    display = xlib.XOpenDisplay(None)
    atom = lambda name: xlib.XInternAtom(display, name, 0)  # noqa: E731
    message = Message(type=33, send_event=1, display=display, window=window, message_type=atom(b"_NET_WM_STATE"),
                      format=32)
    message.data[0], message.data[1], message.data[2] = 1, atom(b"_NET_WM_STATE_MAXIMIZED_VERT"), atom(
        b"_NET_WM_STATE_MAXIMIZED_HORZ")
    redirect = (1 << 20) | (1 << 19)
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    xlib.XSendEvent(display, xlib.XDefaultRootWindow(display), 0, redirect, ctypes.byref(message))
    xlib.XFlush(display)


def main(program):
    if not shutil.which("xdotool") or not shutil.which("xwininfo") or not ctypes.util.find_library("X11"):
        skip("falta xdotool, xwininfo o libX11")
    with Desktop(program, window_manager=True):
        pyatspi = accessible_tree()
        application = find_application(pyatspi)
        main_window = wait_for(lambda: next((node for node in walk(application) if node.getRoleName() == "frame"),
                                            None), what="la ventana principal")
        restart = next(node for node in walk(main_window)
                       if node.getRoleName() == "menu item" and node.name.startswith("Inicia Discursos"))
        window = int(wait_for(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "PARLANZA"],
                                                     capture_output=True, text=True).stdout.split(),
                              what="la ventana en X")[0])

        def place():
            time.sleep(2)  # the window manager answers and the program places the window again
            info = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True).stdout
            return [line.strip() for line in info.splitlines() if line.strip().startswith(
                ("Absolute upper-left", "Width", "Height", "Map State"))]

        designed = place()
        maximise(window)
        maximised = place()
        assert maximised != designed, f"la ventana no se maximizó: {maximised}"
        press(pyatspi, restart)
        restarted = place()
        print(f"diseño {designed}\nmaximizada {maximised}\ntras reiniciar {restarted}")
        assert restarted == designed, f"tras reiniciar {restarted}, en vez de {designed}"
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
