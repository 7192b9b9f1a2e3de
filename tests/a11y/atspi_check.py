#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Sanoria developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real program the way a screen reader does, over AT-SPI.

Usage: atspi_check.py PROGRAM

Starts a virtual display, a private D-Bus session and the program with its
accessibility bridge on, then checks what assistive technology sees: the
organ buttons are radio buttons and their accessible action leaves exactly
one organ selected, the slider tells its level in words, and the symptom
field refuses a line break set through the accessibility interface.

Exits 0 when all holds, 1 on a failure, 77 (skipped) when the tools it
needs (Xvfb, dbus-daemon, at-spi2-core, python3-pyatspi) are not installed.
"""
import importlib.util
import os
import plistlib
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unicodedata

SKIPPED = 77
ORGANS = ["Brain", "Throat", "Lungs", "Heart", "Stomach", "Liver", "Intestines",
          "Kidneys", "Uterus / Testicles", "Bladder", "Skin, Muscles & Bones"]
BUS_LAUNCHERS = ["/usr/libexec/at-spi-bus-launcher",
                 "/usr/lib/at-spi2-core/at-spi-bus-launcher"]


class Failure(Exception):
    pass


def log(text):
    print(text, flush=True)


def missing_tools():
    missing = [tool for tool in ("Xvfb", "dbus-daemon") if shutil.which(tool) is None]
    if not any(os.access(path, os.X_OK) for path in BUS_LAUNCHERS):
        missing.append("at-spi2-core")
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("python3-pyatspi")
    return missing


def read_line(fd, timeout, what):
    """One line written by a child on a pipe, within the time given."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise Failure(f"{what} did not start in {timeout} s")
        chunk = os.read(fd, 256)
        if not chunk:
            raise Failure(f"{what} ended before it was ready")
        data += chunk
    return data.decode().strip()


def wait_for(what, check, timeout=15.0):
    """Asks `check` again until it returns a true value; fails after the timeout."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        try:
            last = check()
            if last:
                return last
        except Exception as error:  # the tree may be changing under us
            last = error
        time.sleep(0.1)
    raise Failure(f"timed out waiting for {what} (last: {last!r})")


class Session:
    """Xvfb, a D-Bus session and the program, all ended on exit."""

    def __init__(self, program):
        self.program = program
        self.root = tempfile.mkdtemp(prefix="sanoria-a11y-")
        self.children = []

    def spawn(self, argv, env, pass_fds=(), log_name=None):
        out = open(os.path.join(self.root, log_name), "wb") if log_name else subprocess.DEVNULL
        child = subprocess.Popen(argv, env=env, pass_fds=pass_fds, stdout=out,
                                 stderr=subprocess.STDOUT if log_name else subprocess.DEVNULL,
                                 stdin=subprocess.DEVNULL, start_new_session=True)
        self.children.append(child)
        return child

    def __enter__(self):
        runtime = os.path.join(self.root, "run")
        os.mkdir(runtime, 0o700)
        base = {k: v for k, v in os.environ.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                             "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "NO_AT_BRIDGE",
                             "XAUTHORITY")}
        base.update(HOME=self.root, XDG_RUNTIME_DIR=runtime)

        r, w = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24",
                    "-nolisten", "tcp"], base, pass_fds=(w,))
        os.close(w)
        display = ":" + read_line(r, 20, "Xvfb")
        os.close(r)

        r, w = os.pipe()
        self.spawn(["dbus-daemon", "--session", "--nofork", f"--print-address={w}"], base,
                   pass_fds=(w,))
        os.close(w)
        address = read_line(r, 20, "dbus-daemon")
        os.close(r)

        self.env = dict(base, DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=address)
        os.environ.update(DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=address,
                          XDG_RUNTIME_DIR=runtime)
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        app_env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.app = self.spawn([self.program], app_env, log_name="program.log")
        return self

    def __exit__(self, *exc):
        # The program first, then the buses and the display; each was started
        # in a process group of its own, so its helpers end with it.
        for child in reversed(self.children):
            try:
                os.killpg(child.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                child.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(child.pid, signal.SIGKILL)
                child.wait(timeout=5)
        self.end_strays()
        if exc[0] is not None:
            try:
                with open(os.path.join(self.root, "program.log"), errors="replace") as f:
                    tail = f.read()[-3000:]
                if tail:
                    log("program output:\n" + tail)
            except OSError:
                pass
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def end_strays(self):
        """Ends any helper the D-Bus session started in a group of its own,
        found by this session's private runtime folder in its environment."""
        marker = ("XDG_RUNTIME_DIR=" + os.path.join(self.root, "run")).encode()
        for pid in filter(str.isdigit, os.listdir("/proc")):
            if int(pid) == os.getpid():
                continue
            try:
                with open(f"/proc/{pid}/environ", "rb") as f:
                    if marker in f.read().split(b"\0"):
                        os.kill(int(pid), signal.SIGKILL)
            except (OSError, ProcessLookupError):
                pass


def nfc(name):
    return unicodedata.normalize("NFC", name)


def organ_symptoms(program, organ):
    """The symptoms the program should offer for an organ, from its catalogue."""
    path = os.path.join(os.path.dirname(os.path.dirname(program)), "share", "sanoria",
                        "Database.plist")
    with open(path, "rb") as f:
        catalogue = plistlib.load(f)
    names = {}
    for disease in catalogue.values():
        if isinstance(disease, dict) and disease.get("Organ") == organ:
            for name in disease.get("Symptoms", {}):
                names.setdefault(nfc(name), name)
    return [names[key] for key in sorted(names)]


def run_checks(program):
    import pyatspi

    def descendants(root, role, name=None):
        found = []

        def walk(node, depth):
            if node is None or depth > 40:
                return
            try:
                if node.getRole() == role and (name is None or node.name == name):
                    found.append(node)
                children = list(node)
            except Exception:
                return
            for child in children:
                walk(child, depth + 1)

        walk(root, 0)
        return found

    def find_app():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == "sanoria":
                frames = descendants(app, pyatspi.ROLE_FRAME)
                if frames and descendants(frames[0], pyatspi.ROLE_SLIDER):
                    return app
        return None

    app = wait_for("the program to appear on the accessibility bus", find_app, timeout=40)
    log("found the program on the accessibility bus")

    def fresh(node):
        try:
            node.clearCache()
        except Exception:
            pass
        return node

    def checked(node):
        return fresh(node).getState().contains(pyatspi.STATE_CHECKED)

    # The organ buttons: radio buttons, the heart chosen at start-up.
    radios = {node.name: node for node in descendants(app, pyatspi.ROLE_RADIO_BUTTON)}
    missing = [organ for organ in ORGANS if organ not in radios]
    if missing:
        raise Failure(f"not announced as radio buttons: {missing}; radios seen: {sorted(radios)}")
    on = [organ for organ in ORGANS if checked(radios[organ])]
    if on != ["Heart"]:
        raise Failure(f"at start-up the organs on are {on}, not only Heart")
    log("eleven radio buttons, Heart on")

    # The symptom field: the combo box one can type in (on Linux it is named by
    # its text, so it is found by its text field).
    entries = [entry for combo in descendants(app, pyatspi.ROLE_COMBO_BOX)
               for entry in descendants(combo, pyatspi.ROLE_TEXT)]
    if len(entries) != 1:
        raise Failure(f"{len(entries)} editable combo boxes, not the one symptom field")
    entry = entries[0]

    def entry_text():
        text = fresh(entry).queryText()
        return text.getText(0, text.characterCount)

    def select_by_action(organ, action_name):
        action = radios[organ].queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if action_name not in names:
            raise Failure(f"{organ} offers the actions {names}, not {action_name}")
        action.doAction(names.index(action_name))
        wait_for(f"{organ} alone to be on after {action_name}",
                 lambda: [o for o in ORGANS if checked(radios[o])] == [organ])

    # The action a screen reader sends on Liver at start-up leaves Liver alone on.
    select_by_action("Liver", "Toggle")
    liver = organ_symptoms(program, "Liver")
    if liver:
        wait_for("the liver's first symptom in the field", lambda: entry_text() == liver[0])
    log(f"Toggle on Liver: only Liver on, field shows {entry_text()!r}")
    # Toggling the chosen organ keeps it; Press on another moves the choice.
    select_by_action("Liver", "Toggle")
    select_by_action("Lungs", "Press")
    lungs = organ_symptoms(program, "Lungs")
    if lungs:
        wait_for("the lungs' first symptom in the field", lambda: entry_text() == lungs[0])
    log("Press on Lungs: only Lungs on")

    # The slider: its value in words, also after assistive technology moves it.
    sliders = descendants(app, pyatspi.ROLE_SLIDER, "Intensity")
    if not sliders:
        raise Failure("no slider named Intensity")
    slider = sliders[0]
    if fresh(slider).description != "High":
        raise Failure(f"the slider's value text is {slider.description!r}, not 'High'")
    value = slider.queryValue()
    if value.currentValue != 3.0:
        raise Failure(f"the slider's value is {value.currentValue}, not 3")
    value.currentValue = 5.0
    wait_for("the slider to read 'Extremely High'",
             lambda: fresh(slider).description == "Extremely High")
    value.currentValue = 1.0
    wait_for("the slider to read 'Low'", lambda: fresh(slider).description == "Low")
    log("slider value text: High, Extremely High, Low")

    # A line break set through the accessibility interface is refused.
    before = entry_text()
    entry.queryEditableText().setTextContents("Line\nbreak")
    time.sleep(0.3)
    after = entry_text()
    if "\n" in after or after != before:
        raise Failure(f"the field took a line break: {after!r}")
    entry.queryEditableText().setTextContents("Rash")
    wait_for("the field to take one line", lambda: entry_text() == "Rash")
    log("line break refused, one line taken")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    missing = missing_tools()
    if missing:
        log("skipped: not installed: " + ", ".join(missing) + " (scripts/install-deps)")
        return SKIPPED
    if not os.access(program, os.X_OK):
        log(f"no program at {program}")
        return 1
    try:
        with Session(program):
            run_checks(program)
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    except Exception as error:  # an AT-SPI call that broke: a failure, not a crash
        log(f"FAILED: {error!r}")
        return 1
    log("all accessibility checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
