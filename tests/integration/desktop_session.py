"""A private desktop for the integration tests: an X server (Xvfb), a session bus and the accessibility bus,
with the real program on it, all started here by process id in a runtime folder of their own and stopped on exit.
A test that lacks one of them exits with 77 (skipped)."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def skip(why):
    print(f"se omite: {why}")
    sys.exit(SKIP)


class Desktop:
    def __init__(self, program, screen="1920x1080x24", environment=None, window_manager=False, services=None):
        for tool in ("Xvfb", "dbus-daemon"):
            if not shutil.which(tool):
                skip(f"falta {tool}")
        if not os.access(LAUNCHER, os.X_OK):
            skip("falta at-spi-bus-launcher (at-spi2-core)")
        self.program = program
        self.screen = screen
        self.environment = environment or {}
        self.window_manager = window_manager
        self.services = services  # started with the desktop, before the program: desktop -> None
        if window_manager and not (shutil.which("openbox") and shutil.which("xprop")):
            skip("falta openbox o xprop")
        self.processes = []
        self.runtime = None
        # A test stopped from outside (a time limit) still stops what it started.
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))

    def start(self, command, **options):
        process = subprocess.Popen(command, **options)
        self.processes.append(process)
        return process

    def __enter__(self):
        try:
            return self.open()
        except BaseException:
            self.__exit__()
            raise

    def open(self):
        self.runtime = tempfile.mkdtemp(prefix="parlanza-escritorio-")
        os.chmod(self.runtime, 0o700)
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        os.environ["HOME"] = self.runtime
        read_end, write_end = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten", "tcp"],
                   pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            os.environ["DISPLAY"] = ":" + display.readline().strip()
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.start([LAUNCHER, "--launch-immediately"], stderr=subprocess.DEVNULL)
        if self.window_manager:
            self.start_window_manager()
        time.sleep(1)
        if self.services:
            self.services(self)
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           **self.environment)
        self.app = self.start([self.program], env=environment, stderr=subprocess.DEVNULL)
        return self

    def start_window_manager(self):
        # The X server answers before the window manager can always take the screen (seen once under load): a
        # window manager that gave up is started again.
        def managed():
            return "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                 capture_output=True, text=True).stdout

        wait_for(lambda: subprocess.run(["xprop", "-root"], capture_output=True).returncode == 0,
                 what="el servidor X")
        manager = None
        deadline = time.time() + 15
        while time.time() < deadline and not managed():
            if manager is None or manager.poll() is not None:
                manager = self.start(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(0.2)
        wait_for(managed, seconds=1, what="el gestor de ventanas")

    def __exit__(self, *error):
        for process in reversed(self.processes):
            # Helpers a service started for itself (the speech service's voice modules) go with it.
            children = subprocess.run(["pgrep", "-P", str(process.pid)], capture_output=True, text=True).stdout
            for child in children.split():
                try:
                    os.kill(int(child), signal.SIGTERM)
                except ProcessLookupError:
                    pass
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        if self.runtime:
            shutil.rmtree(self.runtime, ignore_errors=True)
        return False


def accessible_tree():
    """The accessibility registry; imported once the session bus is known."""
    try:
        import pyatspi
    except ImportError:
        skip("falta python3-pyatspi")
    return pyatspi


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


# Under the sanitizers and a busy machine the program takes longer than 30 s to appear on the bus (seen once).
def find_application(pyatspi, name="parlanza", seconds=60):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == name and application.childCount > 0:
                return application
        time.sleep(0.3)
    raise SystemExit(f"el programa no aparece en el bus de accesibilidad en {seconds} s")


def wait_for(condition, seconds=15, what="la condición"):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.2)
    raise SystemExit(f"no se cumple {what} en {seconds} s")


def press(pyatspi, node):
    """Runs a control's first action, as a screen reader's user does with the control under review."""
    action = node.queryAction()
    action.doAction(0)


def reading(node):
    """What an Orca-style reader says for a control: its name, its role and its description."""
    role = node.getRoleName()
    description = node.description.replace("\n", " / ") if node.description else ""
    name = node.name.replace("\r", "").replace("\n", " / ")
    return f"{name!r} ({role})" + (f" — {description}" if description else "")
