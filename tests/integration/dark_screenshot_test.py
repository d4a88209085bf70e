#!/usr/bin/python3
"""Takes screenshots of both windows of the real program at scale 2 under a dark desktop theme (Qt's gtk3
platform theme with Adwaita:dark), then under the light Adwaita, and measures, for every control that shows a text, the contrast between its
text and its background by WCAG 2's formula: at least 4.5 : 1 each. The control's place comes from the
accessibility bus, as a magnifier would take it."""

import glob
import os
import re
import shutil
import subprocess
import sys

from desktop_session import Desktop, accessible_tree, find_application, press, skip, wait_for, walk

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


def run(program, theme, dark):
    """Measures both windows under one theme; returns the failures."""
    environment = {"QT_SCALE_FACTOR": "2", "QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": theme}
    failures = []
    with Desktop(program, screen="2560x1600x24", environment=environment) as desktop:
        pyatspi = accessible_tree()
        application = find_application(pyatspi)

        def find(test, within=application):
            return wait_for(lambda: next((node for node in walk(within) if test(node)), None), what="un mando")

        main_window = find(lambda node: node.getRoleName() == "frame" and "PARLANZA" in node.name)
        # Qt gives places in its own pixels or in the screen's: the window's design width tells which.
        scale = 2 if main_window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width < 1000 else 1

        def point_at(node):
            place = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(["xdotool", "mousemove", str((place.x + place.width // 2) * scale),
                            str((place.y + place.height // 2) * scale)], check=True)

        def shoot_and_measure(window, name, roles=("label", "push button", "list", "text")):
            # The window manager's placing settles within the first second.
            subprocess.run(["sleep", "2"], check=True)
            shot = os.path.join(os.environ["XDG_RUNTIME_DIR"], "pantalla.png")
            subprocess.run(["import", "-window", "root", shot], check=True)
            for node in walk(window):
                role = node.getRoleName()
                if role not in roles or not node.getState().contains(pyatspi.STATE_SHOWING) or (
                        role == "label" and not node.name.strip()):
                    continue
                background, ratio = measure(shot, node, scale, pyatspi)
                label = (node.name or node.description).split("\n")[0][:30]
                print(f"{theme} {name} {role} {label!r}: fondo {background}, contraste {ratio:.2f}")
                if ratio < MINIMUM:
                    failures.append(f"{theme} {name} {role} {label!r}: {ratio:.2f}")
            return shot

        # A hint in the hint area, so that it has a text to measure too.
        point_at(find(lambda node: node.description.startswith("En esta ventana se presenta"), main_window))
        shot = shoot_and_measure(main_window, "dialogo")
        bar, _ = measure(shot, find(lambda node: node.getRoleName() == "menu bar", main_window), scale, pyatspi)
        if (luminance(bar) < 0.2) != dark:
            failures.append(f"{theme}: el tema no se aplicó, barra de menús {bar}")
        for item in ("Base Discursos", "Visualiza"):
            press(pyatspi, find(lambda node, item=item: node.getRoleName() == "menu item" and
                                node.name.startswith(item), main_window))
            shoot_and_measure(main_window, "dialogo", roles=("list",))
            press(pyatspi, find(lambda node, item=item: node.getRoleName() == "menu item" and
                                node.name.startswith(item), main_window))

        desktop.start([sys.executable, os.path.join(os.path.dirname(__file__), "screen_reader_test.py"), "--ayuda",
                       program], stderr=subprocess.DEVNULL)
        help_window = find(lambda node: node.getRoleName() == "dialog" and "AYUDA" in node.name)
        point_at(find(lambda node: node.name == "Imprimir Seleccion", help_window))
        shoot_and_measure(help_window, "ayuda")
    return failures


def main(program):
    if not glob.glob("/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so"):
        skip("falta el tema gtk3 de Qt (qt6-gtk-platformtheme)")
    if not all(shutil.which(tool) for tool in ("import", "convert", "xdotool")):
        skip("falta ImageMagick o xdotool")
    # Each theme on a desktop of its own: the accessibility registry stays with the first bus it meets.
    results = [subprocess.run([sys.executable, __file__, "--tema", theme, program]).returncode
               for theme in ("Adwaita:dark", "Adwaita")]
    return max(results) if all(result in (0, 77) for result in results) else 1


if __name__ == "__main__":
    if sys.argv[1] == "--tema":
        failures = run(sys.argv[3], sys.argv[2], sys.argv[2].endswith(":dark"))
        for failure in failures:
            print("FALLO: " + failure)
        sys.exit(1 if failures else 0)
    sys.exit(main(sys.argv[1]))
