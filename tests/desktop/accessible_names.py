#!/usr/bin/python3
"""Through the accessibility bus (AT-SPI), under Xvfb and openbox, every control that takes the focus in the main window,
the About window and the folder picker has a name a screen reader can speak.
Usage: accessible_names.py PROGRAM; it runs itself again on a session bus of its own. Exits 77 (skipped) when a tool is missing."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
if "CORVALA_OWN_SESSION_BUS" not in os.environ:
    if shutil.which("dbus-run-session") is None:
        print("skipped: dbus-run-session is not installed")
        sys.exit(SKIPPED)
    os.environ["CORVALA_OWN_SESSION_BUS"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])
try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError) as missing:
    print(f"skipped: {missing}")
    sys.exit(SKIPPED)
for tool in ("Xvfb", "openbox", "xdotool", "xprop"):
    if shutil.which(tool) is None:
        print(f"skipped: {tool} is not installed")
        sys.exit(SKIPPED)


def eventually(condition, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    return None


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and (app.get_name() or "").lower().startswith("corvala"):
            return app
    return None


def showing(accessible):
    return accessible.get_state_set().contains(Atspi.StateType.SHOWING)


def active_window(app):
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None and window.get_state_set().contains(Atspi.StateType.ACTIVE):
            return window
    return None


def unnamed_controls(accessible, path=""):
    """The focusable controls on the screen below `accessible` that have no name."""
    found = []
    for i in range(accessible.get_child_count()):
        child = accessible.get_child_at_index(i)
        if child is None or not showing(child):
            continue
        where = f"{path}/{child.get_role_name()}"
        if child.get_state_set().contains(Atspi.StateType.FOCUSABLE) and not child.get_name():
            found.append(where)
        found += unnamed_controls(child, where)
    return found


def check_window(app, what, previous):
    window = eventually(lambda: (w := active_window(app)) is not None and w != previous and w)
    if not window:
        return [f"{what}: no active window"]
    return [f"{what}: {control} has no name" for control in unnamed_controls(window)]


def answers(display):
    return subprocess.run(["xprop", "-display", display, "-root"], capture_output=True).returncode == 0


def start_display():
    """Xvfb picks a free display and names it once it listens; the display counts once a client has reached it.
    Without -noreset the server resets as that client leaves and refuses the next one for a moment."""
    for _ in range(3):
        ready, announce = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(announce), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp", "-noreset"], pass_fds=[announce], stderr=subprocess.DEVNULL)
        os.close(announce)
        with os.fdopen(ready) as announced:
            display = ":" + announced.readline().strip()
        if display != ":" and eventually(lambda: answers(display) or xvfb.poll() is not None) and answers(display):
            return xvfb, display
        stop(xvfb)
    return None, None


def stop(process):
    if process is not None:
        process.kill()
        process.wait()


def main(program):
    xvfb, display = start_display()
    if xvfb is None:
        print("FAILED: Xvfb did not start")
        return 1
    work = tempfile.mkdtemp()
    env = dict(os.environ, DISPLAY=display, HOME=work, XDG_CONFIG_HOME=f"{work}/.config",
               QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", SDL_AUDIODRIVER="dummy")
    os.environ["DISPLAY"] = display
    corvala = openbox = None
    try:
        # A window manager makes the windows active, as the user's desktop does.
        openbox = subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL)
        if not eventually(lambda: b"window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                capture_output=True).stdout):
            print("FAILED: openbox did not start")
            return 1
        corvala = subprocess.Popen([program], env=env, cwd=work)
        app = eventually(application)
        if not app:
            print("FAILED: the program never appeared on the accessibility bus")
            return 1
        problems = check_window(app, "main window", None)
        main_window = active_window(app)
        for keys, what in ((["F1"], "About window"), (["ctrl+o"], "folder picker")):
            subprocess.run(["xdotool", "key", *keys], env=env, check=True)
            problems += check_window(app, what, main_window)
            subprocess.run(["xdotool", "key", "Escape"], env=env, check=True)
            if not eventually(lambda: active_window(app) == main_window):
                problems.append(f"{what}: did not close on Escape")
        for problem in problems:
            print(f"FAILED: {problem}")
        return 1 if problems else 0
    finally:
        for process in (corvala, openbox, xvfb):
            stop(process)
        shutil.rmtree(work, ignore_errors=True)


sys.exit(main(sys.argv[1]))
