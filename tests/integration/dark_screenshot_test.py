#!/usr/bin/python3
"""Takes a screenshot of both windows of the real program at scale 2 under a dark desktop theme (Qt's gtk3
platform theme with Adwaita:dark) and measures, for every control that shows a text, the contrast between its
text and its background by WCAG 2's formula: at least 4.5 : 1 each. The control's place comes from the
accessibility bus, as a magnifier would take it."""

import glob
import os
import re
import shutil
import subprocess
import sys

from desktop_session import Desktop, accessible_tree, find_application, skip, wait_for, walk

MINIMUM = 4.5


def luminance(colour):
    def linear(channel):
        channel /= 255
        return channel / 12.92 if channel <= 0.04045 else ((channel + 0.055) / 1.055) ** 2.4
    red, green, blue = colour
    return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue)


def contrast(one, other):
    darker, lighter = sorted((luminance(one), luminance(other)))
    return (lighter + 0.05) / (darker + 0.05)


def colours(shot, x, y, width, height):
    """How often each colour occurs in a part of the screenshot."""
    histogram = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-format", "%c",
                                "histogram:info:-"], capture_output=True, text=True, check=True).stdout
    counts = {}
    for line in histogram.splitlines():
        found = re.match(r"\s*(\d+):\s*\(\s*([\d.]+),\s*([\d.]+),\s*([\d.]+)", line)
        if found:
            counts[tuple(round(float(part)) for part in found.groups()[1:4])] = int(found.group(1))
    return counts


def measure(shot, node, scale, pyatspi):
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    inset = 3 * scale
    counts = colours(shot, extents.x * scale + inset, extents.y * scale + inset,
                     extents.width * scale - 2 * inset, extents.height * scale - 2 * inset)
    background = max(counts, key=counts.get)
    return background, max(contrast(colour, background) for colour in counts)


def main(program):
    if not glob.glob("/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so"):
        skip("falta el tema gtk3 de Qt (qt6-gtk-platformtheme)")
    if not shutil.which("import") or not shutil.which("convert"):
        skip("falta ImageMagick")
    theme = {"QT_SCALE_FACTOR": "2", "QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"}
    failures = []
    with Desktop(program, screen="2560x1600x24", environment=theme) as desktop:
        pyatspi = accessible_tree()
        application = find_application(pyatspi)
        main_window = wait_for(lambda: next((node for node in walk(application) if node.getRoleName() == "frame"
                                             and "PARLANZA" in node.name), None), what="la ventana principal")
        scale = None
        for window, name in ((main_window, "dialogo"), (None, "ayuda")):
            if window is None:
                desktop.start([sys.executable, os.path.join(os.path.dirname(__file__), "screen_reader_test.py"),
                               "--ayuda", program], stderr=subprocess.DEVNULL)
                window = wait_for(lambda: next((node for node in walk(application) if node.getRoleName() ==
                                                "dialog" and "AYUDA" in node.name), None), what="la ventana de ayuda")
            # The window manager's placing settles within the first second.
            subprocess.run(["sleep", "2"], check=True)
            shot = os.path.join(os.environ["XDG_RUNTIME_DIR"], name + ".png")
            subprocess.run(["import", "-window", "root", shot], check=True)
            if scale is None:
                # Qt gives places in its own pixels or in the screen's: the window's design width tells which.
                frame = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                scale = 2 if frame.width < 1000 else 1
                menu_bar = next(node for node in walk(window) if node.getRoleName() == "menu bar")
                bar, _ = measure(shot, menu_bar, scale, pyatspi)
                if luminance(bar) > 0.2:
                    failures.append(f"el tema oscuro no se aplicó: barra de menús {bar}")
            for node in walk(window):
                role = node.getRoleName()
                if role not in ("label", "push button", "list", "text") or not node.getState().contains(
                        pyatspi.STATE_SHOWING) or (role == "label" and not node.name.strip()):
                    continue
                background, ratio = measure(shot, node, scale, pyatspi)
                label = (node.name or node.description).split("\n")[0][:30]
                print(f"{name} {role} {label!r}: fondo {background}, contraste {ratio:.2f}")
                if ratio < MINIMUM:
                    failures.append(f"{name} {role} {label!r}: {ratio:.2f}")
    for failure in failures:
        print("FALLO: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
