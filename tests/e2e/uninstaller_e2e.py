#!/usr/bin/env python3
"""Runs the uninstaller as a person would, under Xvfb with real mouse and keyboard input.

    uninstaller_e2e.py test BUILD_DIR [--shots DIR] [--prefix DIR]   the end-to-end test
    uninstaller_e2e.py demo BUILD_DIR [--shots DIR] [--prefix DIR]   one full removal, shown

Each run installs the demo product into the build's end-to-end Wine prefix (demo_product.exe),
starts the uninstaller from the installation folder, finds its window on the X display, drives
it with xdotool (XTEST: real pointer and key events that reach Wine through the X server) and
looks at it in screenshots. The program's windows are drawn by itself, so what a page shows is
told apart by the colours at known points of the 600 x 400 window.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
FIXTURE = r"B:\bin\demo_product.exe"
INSTALL_FOLDER = r"C:\Program Files\QuorvelTablet"
INSTALLED_PROGRAM = INSTALL_FOLDER + r"\Uninstall.exe"
# The driver's library, inside the installation folder, that another program holds open.
DRIVER_LIBRARY = r"driver\TabletDriver\amd64\TabletHook.dll"
TITLE = "QuorvelTablet卸载程序"
SCREEN = (1024, 768)
FRAME = (600, 400)
SHADOW_SIZE = 27

# Client points of the window (the frame's fixed layout: 1-pixel border and inset, title row 30,
# decoration 130, label row 30, spacer 50, page area from y 242, 596 x 156).
LABEL_ROW = (300, 176)
CLOSE_BUTTON = (579, 16)
CONFIRM_BUTTON = (205, 347)
CANCEL_BUTTON = (395, 347)
START_BUTTON = (300, 376)   # below the finish button, which lies over the same place
FINISH_BUTTON = (302, 340)  # above the start button and below the progress bar
FINISH_LINE = (60, 312, 540, 332)  # the line under the completion text, when anything is left
PROGRESS_BAR = (60, 334)
LOCATION_FIELD = (60, 274, 540, 296)
LOCATION_FIELD_FRAME = (58, 273, 541, 298)  # the field's one-pixel border, edges included
FIELD_BORDER_COLOUR = (0xAA, 0xAA, 0xAA)
QUESTION_TEXT = (60, 262, 540, 292)
DECORATION = (300, 100)
DECORATION_AREA = (10, 40, 590, 230)

ALL_INSTALLED = {
    "installFolder": "present", "desktopLink": "present", "programsFolder": "present",
    "pinnedLink": "present", "productKey": "present", "entry": "present",
}
SIBLINGS_KEPT = {"siblingEntry": "present", "siblingFolder": "present", "siblingLink": "present"}
ALL_REMOVED = {
    "installFolder": "gone", "desktopLink": "gone", "programsFolder": "gone",
    "pinnedLink": "gone", "productKey": "gone", "entry": "gone",
    "devcon": "ran", "DIFxCmd": "ran", "runningApp": "not running",
    "tempCopy": "gone",
}
# The screenshots of a full removal, by page.
PAGE_SHOTS = {"confirm": "page1-confirm", "location": "page2-location",
              "progress": "page3-progress", "finished": "page3-finished"}
# The installation folder stays, holding what is scheduled for removal at the restart.
REMOVED_BUT_HELD = dict(ALL_REMOVED, installFolder="present")


class Failure(Exception):
    pass


def log(text):
    print(text, flush=True)


# --- The X display --------------------------------------------------------------------------

class Display:
    """An Xvfb server, stopped by close(), on a display number it picks itself (or the one
    UNINSTALLER_E2E_DISPLAY names)."""

    def __init__(self):
        read_end, write_end = os.pipe()
        wanted = os.environ.get("UNINSTALLER_E2E_DISPLAY")
        self.server = subprocess.Popen(
            ["Xvfb"] + ([":" + wanted] if wanted else []) +
            ["-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise Failure("Xvfb did not start")
                number += chunk
        self.name = ":" + number.decode().strip()
        self.paint_background()

    def paint_background(self):
        """A grey desktop instead of black, so that the window's shadow shows in screenshots."""
        background = subprocess.run(["convert", "-size", "%dx%d" % SCREEN, "xc:#c8c8c8", "png:-"],
                                    capture_output=True, check=True).stdout
        setter = subprocess.Popen(["display", "-window", "root", "png:-"], env=self.env(),
                                  stdin=subprocess.PIPE, stderr=subprocess.DEVNULL)
        setter.stdin.write(background)
        setter.stdin.close()
        try:
            setter.wait(timeout=5)
        except subprocess.TimeoutExpired:
            setter.kill()

    def env(self):
        environment = dict(os.environ)
        environment["DISPLAY"] = self.name
        return environment

    def close(self):
        self.server.terminate()
        self.server.wait()


def run(command, env=None, check=True, timeout=120, cwd=None):
    result = subprocess.run(command, env=env, capture_output=True, timeout=timeout, cwd=cwd)
    if check and result.returncode != 0:
        raise Failure("%s failed with exit code %d: %s" % (" ".join(command), result.returncode,
                                                           result.stderr.decode(errors="replace")))
    return result.stdout.decode(errors="replace")


# --- Wine ------------------------------------------------------------------------------------

class Wine:
    """The sandboxed prefix of the end-to-end runs, with a wineserver kept alive between runs."""

    def __init__(self, build, display, language, prefix):
        self.build = build
        self.display = display
        self.prefix = prefix
        self.language = language
        subprocess.run([os.path.join(ROOT, "scripts", "wine-prefix.sh"), self.prefix, build, "x11"],
                       check=True)
        self.start_server()

    def env(self):
        environment = self.display.env()
        environment.update({
            "WINEPREFIX": self.prefix, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LANG": self.language, "LC_ALL": self.language,
        })
        return environment

    def start_server(self):
        subprocess.run([WINESERVER, "-p"], env=self.env(), check=True)
        # The prefix's services and its desktop process start with the first program that needs
        # them and outlive it. Started here, by a program that holds a window open for the whole
        # session, they neither hold on to the output pipe of a later command nor join the
        # process tree of a watched run.
        self.holder = subprocess.Popen([WINE, FIXTURE, "hold"], env=self.env(), cwd=self.build,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(2)
        # A restarted Wine desktop leaves the X desktop black.
        self.display.paint_background()

    def stop_server(self):
        subprocess.run([WINESERVER, "-k"], env=self.env(), check=False)
        self.holder.wait()
        subprocess.run([WINESERVER, "-w"], env=self.env(), check=False)

    def switch_language(self, language):
        """Wine takes its interface language from LANG when its server starts."""
        self.stop_server()
        self.language = language
        self.start_server()

    def fixture(self, *arguments):
        return run([WINE, FIXTURE] + list(arguments), env=self.env(), cwd=self.build)

    def start_running_program(self):
        """Starts the stand-in of the driver's running program. It outlives the command, so the
        command's output is not read (the program would hold the pipe open)."""
        subprocess.run([WINE, FIXTURE, "start-app"], env=self.env(), cwd=self.build,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)

    def state(self):
        return dict(line.strip().split("=", 1) for line in self.fixture("state").splitlines()
                    if "=" in line)

    def start_uninstaller(self, *switches):
        """Starts the installed uninstaller, its process tree watched by the fixture."""
        return subprocess.Popen([WINE, FIXTURE, "run", INSTALLED_PROGRAM] + list(switches),
                                env=self.env(), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                cwd=self.build)

    def hold_file(self, relative_path):
        """Has another program hold a file of the installation folder open without delete
        sharing; the returned process lets it go when its input is closed."""
        holder = subprocess.Popen([WINE, FIXTURE, "hold-file", relative_path], env=self.env(),
                                  cwd=self.build, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL)
        answer = holder.stdout.readline().decode(errors="replace").strip()
        if answer != "holding":
            holder.kill()
            holder.wait()
            raise Failure("the file holder did not open %s: %s" % (relative_path, answer))
        return holder

    def pending_deletions(self):
        """The deletions at the next restart inside the installation folder, in the order the
        system makes them."""
        return [line.strip().split("=", 1)[1] for line in self.fixture("pending").splitlines()
                if line.startswith("pending=")]

    def path_on_disk(self, windows_path):
        """The Linux path of a path on the prefix's drive C:."""
        return os.path.join(self.prefix, "drive_c", *windows_path[3:].split("\\"))

    def restart(self):
        """Wine's simulated restart, which carries out the pending deletions."""
        run([WINE, "wineboot", "-r"], env=self.env(), cwd=self.build)


def process_results(watcher, timeout):
    """The (exit code, place among the ends, image) of every process of the run, in start
    order."""
    try:
        output, _ = watcher.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        watcher.kill()
        output, _ = watcher.communicate()
        raise Failure("the uninstaller did not end within %d s; processes: %s"
                      % (timeout, output.decode(errors="replace").strip()))
    return [(code, int(ended), image) for code, ended, image in
            re.findall(r"process exit=(\S+) ended=(-?\d+) image=([^\r\n]*)",
                       output.decode(errors="replace"))]


# --- The window ------------------------------------------------------------------------------

class Window:
    """The uninstaller's main window on the X display, driven with xdotool."""

    def __init__(self, display, timeout=60):
        self.display = display
        deadline = time.time() + timeout
        while True:
            found = self.xdotool("search", "--onlyvisible", "--name", "^" + TITLE + "$", check=False)
            ids = found.split()
            if ids:
                self.id = ids[0]
                break
            if time.time() > deadline:
                raise Failure("no window titled %s appeared" % TITLE)
            time.sleep(0.2)
        # Let the first paint settle.
        time.sleep(0.5)

    def xdotool(self, *arguments, check=True):
        return run(["xdotool"] + list(arguments), env=self.display.env(), check=check)

    def geometry(self):
        values = dict(line.split("=", 1) for line in
                      self.xdotool("getwindowgeometry", "--shell", self.id).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def exists(self):
        return self.id in self.xdotool("search", "--onlyvisible", "--name", "^" + TITLE + "$",
                                       check=False).split()

    def screen_point(self, point):
        x, y, _, _ = self.geometry()
        return x + point[0], y + point[1]

    def click(self, point):
        x, y = self.screen_point(point)
        self.xdotool("mousemove", str(x), str(y))
        time.sleep(0.15)
        self.xdotool("click", "1")

    def key(self, name):
        # Keys go to the window that has the focus; a press on the decoration gives it the focus.
        self.focus()
        self.xdotool("key", name)

    def focus(self):
        x, y = self.screen_point(DECORATION)
        self.xdotool("mousemove", str(x), str(y), "click", "1")
        time.sleep(0.2)

    def drag(self, point, dx, dy):
        x, y = self.screen_point(point)
        self.xdotool("mousemove", str(x), str(y))
        time.sleep(0.1)
        self.xdotool("mousedown", "1")
        for step in range(1, 6):
            time.sleep(0.05)
            self.xdotool("mousemove", str(x + dx * step // 5), str(y + dy * step // 5))
        time.sleep(0.1)
        self.xdotool("mouseup", "1")
        time.sleep(0.3)

    def screenshot(self, path=None):
        shot = Screenshot(self.display, path)
        shot.origin = self.geometry()[:2]
        return shot


class Screenshot:
    """The whole screen, read as pixels."""

    def __init__(self, display, path=None):
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=display.env(),
                             capture_output=True, check=True).stdout
        if path:
            subprocess.run(["convert", "ppm:-", path], input=raw, check=True)
        width, height, offset = parse_ppm_header(raw)
        self.width, self.height = width, height
        self.pixels = raw[offset:]
        self.origin = (0, 0)

    def screen_pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def pixel(self, point):
        """The colour at a client point of the window."""
        return self.screen_pixel(self.origin[0] + point[0], self.origin[1] + point[1])

    def dark_pixels(self, box, limit=110):
        left, top, right, bottom = box
        return sum(1 for y in range(top, bottom) for x in range(left, right)
                   if max(self.pixel((x, y))) < limit)

    def mean_brightness(self, box):
        pixels = self.region(box)
        return sum(sum(colour) / 3 for colour in pixels) / len(pixels)

    def region(self, box):
        left, top, right, bottom = box
        return [self.pixel((x, y)) for y in range(top, bottom) for x in range(left, right)]

    def frame(self, box):
        """The colours along the four edges of box (edges included)."""
        left, top, right, bottom = box
        return ([self.pixel((x, y)) for x in range(left, right + 1) for y in (top, bottom)] +
                [self.pixel((x, y)) for y in range(top, bottom + 1) for x in (left, right)])


def parse_ppm_header(raw):
    fields = []
    position = 0
    while len(fields) < 4:
        while raw[position:position + 1].isspace():
            position += 1
        if raw[position:position + 1] == b"#":
            position = raw.index(b"\n", position) + 1
            continue
        end = position
        while not raw[end:end + 1].isspace():
            end += 1
        fields.append(raw[position:end])
        position = end
    return int(fields[1]), int(fields[2]), position + 1


def is_white(colour):
    return min(colour) > 240


def is_blue(colour):
    """The blue of the skin's buttons."""
    return colour[2] > 150 and colour[2] - colour[0] > 60


def page_shown(shot):
    """Which page the window shows, told by the skin's blue buttons and the progress bar:
    'confirm', 'location', 'progress', 'finished' or 'unknown'."""
    if is_blue(shot.pixel(CANCEL_BUTTON)):
        return "confirm"
    if is_blue(shot.pixel(START_BUTTON)):
        return "location"
    if is_blue(shot.pixel(FINISH_BUTTON)):
        return "finished"
    if not is_white(shot.pixel(PROGRESS_BAR)):
        return "progress"
    return "unknown"


def wait_for_page(window, page, timeout=60):
    deadline = time.time() + timeout
    while True:
        shown = page_shown(window.screenshot())
        if shown == page:
            return
        if time.time() > deadline:
            raise Failure("expected the %s page, the window shows %s" % (page, shown))
        time.sleep(0.1)


# --- Checks ----------------------------------------------------------------------------------

class Checks:
    def __init__(self):
        self.failures = []

    def expect(self, condition, text):
        if not condition:
            self.failures.append(text)
            log("   FAILED: " + text)

    def expect_state(self, state, wanted, scenario):
        for item, value in wanted.items():
            self.expect(state.get(item) == value,
                        "%s: %s is %s, expected %s" % (scenario, item, state.get(item), value))

    def expect_clean_exit(self, processes, scenario, waited=False):
        """Both the program and its copy ended with 0; with waited, the program only after the
        copy."""
        uninstallers = [p for p in processes if p[2].lower().endswith("uninstall.exe")]
        self.expect(len(uninstallers) >= 2,
                    "%s: expected the program and its relaunched copy, saw %s"
                    % (scenario, processes))
        for exit_code, _, image in uninstallers:
            self.expect(exit_code == "0", "%s: %s ended with %s" % (scenario, image, exit_code))
        if len(uninstallers) >= 2:
            (_, first_ended, _), (_, copy_ended, copy_image) = uninstallers[:2]
            self.expect("\\temp\\" in copy_image.lower(),
                        "%s: the copy ran from %s, not the temporary folder"
                        % (scenario, copy_image))
            if waited:
                self.expect(first_ended > copy_ended,
                            "%s: the first process did not wait for the copy: %s"
                            % (scenario, processes))


def wait_until(condition, timeout):
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            return False
        time.sleep(0.2)
    return True


def find_shadow(window):
    """The geometry of the shadow window around the frame, or None. It has no title, so it is
    looked for among all top-level windows by its size."""
    _, _, width, height = window.geometry()
    tree = run(["xwininfo", "-root", "-children"], env=window.display.env())
    for match in re.finditer(r"\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s", tree):
        w, h, x, y = (int(value) for value in match.groups())
        if (w, h) == (width + 2 * SHADOW_SIZE, height + 2 * SHADOW_SIZE):
            return x, y, w, h
    return None


# --- Scenarios -------------------------------------------------------------------------------

class Runner:
    def __init__(self, build, shots, prefix):
        self.build = build
        self.shots = shots
        self.checks = Checks()
        self.display = Display()
        self.wine = Wine(build, self.display, "zh_CN.UTF-8", prefix)

    def close(self):
        try:
            self.wine.fixture("remove")
        finally:
            self.wine.stop_server()
            self.display.close()

    def shot_path(self, name):
        return os.path.join(self.shots, name + ".png") if self.shots and name else None

    def install(self, *arguments):
        self.wine.fixture("remove")
        self.wine.fixture("install", *arguments)

    def full_removal(self, scenario, confirm_by_key, switches=(), held_file=None, files=40,
                     shots=None):
        """Confirms, starts the removal, waits for the finish button and presses it. switches go
        on the program's command line; held_file (relative to the installation folder) is held
        open by another program for the whole run; shots names the screenshots to keep by page
        ('confirm', 'location', 'progress', 'finished'). With a few thousand files the progress
        page lasts long enough to be caught."""
        log("== %s" % scenario)
        shots = shots or {}
        self.install("--files", str(files))
        self.wine.start_running_program()
        holder = self.wine.hold_file(held_file) if held_file else None
        try:
            watcher = self.wine.start_uninstaller(*switches)
            self.drive_full_removal(Window(self.display), scenario, confirm_by_key, shots,
                                    expect_finish_line=held_file is not None)
            processes = process_results(watcher, 60)
            self.checks.expect_clean_exit(processes, scenario, waited="/WAIT" in switches)
            wanted = REMOVED_BUT_HELD if held_file else ALL_REMOVED
            wait_until(lambda: all(self.wine.state().get(item) == value
                                   for item, value in wanted.items()), 10)
            state = self.wine.state()
            self.checks.expect_state(state, wanted, scenario)
            self.checks.expect_state(state, SIBLINGS_KEPT, scenario)
            if held_file:
                self.expect_left_for_restart(held_file, scenario)
        finally:
            if holder:
                holder.communicate(timeout=60)
        if held_file:
            self.wine.restart()
            self.checks.expect_state(self.wine.state(), {"installFolder": "gone"},
                                     scenario + ", after the restart")
            self.checks.expect(self.wine.pending_deletions() == [],
                               "%s: deletions still pending after the restart" % scenario)
        return state

    def drive_full_removal(self, window, scenario, confirm_by_key, shots, expect_finish_line):
        """Clicks through the three pages up to the finish button and presses it."""
        x, y, width, height = window.geometry()
        self.checks.expect((width, height) == FRAME, "%s: window is %dx%d" % (scenario, width,
                                                                            height))
        self.checks.expect((x, y) == ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2),
                           "%s: window at %d,%d is not centred" % (scenario, x, y))
        self.checks.expect(find_shadow(window) is not None, "%s: no shadow window" % scenario)
        first = window.screenshot(self.shot_path(shots.get("confirm")))
        self.checks.expect(page_shown(first) == "confirm", "%s: first page not shown" % scenario)
        self.checks.expect(first.mean_brightness(DECORATION_AREA) < 100,
                           "%s: no dark skin" % scenario)
        self.checks.expect(first.dark_pixels(QUESTION_TEXT) > 100,
                           "%s: no question text" % scenario)
        if confirm_by_key:
            window.key("y")
        else:
            window.click(CONFIRM_BUTTON)
        wait_for_page(window, "location", 20)
        second = window.screenshot(self.shot_path(shots.get("location")))
        self.checks.expect(second.dark_pixels(LOCATION_FIELD, 200) > 80,
                           "%s: the installation path is not in the field" % scenario)
        border = second.frame(LOCATION_FIELD_FRAME)
        self.checks.expect(all(colour == FIELD_BORDER_COLOUR for colour in border),
                           "%s: the location field's border is not whole: %s"
                           % (scenario, sorted(set(border))))
        window.click(START_BUTTON)
        seen_progress = False
        deadline = time.time() + 120
        while time.time() < deadline:
            shot = window.screenshot()
            shown = page_shown(shot)
            if shown == "progress" and not seen_progress and is_blue(
                    shot.pixel((PROGRESS_BAR[0] + 60, PROGRESS_BAR[1]))):
                # The bar has moved past its first state.
                seen_progress = True
                if "progress" in shots:
                    window.screenshot(self.shot_path(shots["progress"]))
            if shown == "finished":
                break
            time.sleep(0.05)
        finished = window.screenshot(self.shot_path(shots.get("finished")))
        self.checks.expect(page_shown(finished) == "finished",
                           "%s: the finish button did not appear" % scenario)
        line_pixels = finished.dark_pixels(FINISH_LINE, 160)
        self.checks.expect((line_pixels > 50) == expect_finish_line,
                           "%s: %d dark pixels where the finish page's line would be, expected %s"
                           % (scenario, line_pixels, "a line" if expect_finish_line else "none"))
        window.click(FINISH_BUTTON)

    def close_during_removal(self):
        """Alt+F4 while 20,000 files are being deleted: the removal goes on to its end, the close
        then ends the run as the finish button does, and the waiting first process returns the
        run's code."""
        scenario = "Alt+F4 during the removal, with /WAIT and a log"
        log("== %s" % scenario)
        self.install("--files", "20000")
        log_file = r"C:\close-during-removal.log"
        log_path = self.wine.path_on_disk(log_file)
        if os.path.exists(log_path):
            os.remove(log_path)
        watcher = self.wine.start_uninstaller("/WAIT", "/LOG=" + log_file)
        window = Window(self.display)
        window.click(CONFIRM_BUTTON)
        wait_for_page(window, "location", 20)
        window.click(START_BUTTON)
        wait_for_page(window, "progress", 20)
        window.key("alt+F4")
        time.sleep(0.5)
        self.checks.expect(window.exists(), "%s: the window went away under the removal"
                           % scenario)
        processes = process_results(watcher, 180)
        self.checks.expect_clean_exit(processes, scenario, waited=True)
        state = self.wine.state()
        self.checks.expect_state(state, ALL_REMOVED, scenario)
        self.checks.expect_state(state, SIBLINGS_KEPT, scenario)
        with open(log_path, encoding="utf-8", errors="replace") as logged:
            lines = logged.read().splitlines()
        os.remove(log_path)
        ends = [line for line in lines if "Exit code" in line]
        self.checks.expect(len(ends) >= 2 and all(line.endswith("Exit code 0") for line in ends),
                           "%s: the log's ends are %s" % (scenario, ends))

    def expect_left_for_restart(self, held_file, scenario):
        """Only the held file and its folders are left, and they are scheduled for deletion at
        the restart, each before the folder that holds it."""
        chain = [INSTALL_FOLDER + "\\" + held_file]
        while chain[-1].lower() != INSTALL_FOLDER.lower():
            chain.append(chain[-1].rsplit("\\", 1)[0])
        left = []
        for folder, subfolders, files in os.walk(self.wine.path_on_disk(INSTALL_FOLDER)):
            left += [os.path.join(folder, name) for name in subfolders + files]
        self.checks.expect(sorted(left) == sorted(self.wine.path_on_disk(path)
                                                  for path in chain[:-1]),
                           "%s: left in the installation folder: %s" % (scenario, left))
        pending = self.wine.pending_deletions()
        self.checks.expect([path.lower() for path in pending] == [path.lower() for path in chain],
                           "%s: pending deletions %s, expected %s" % (scenario, pending, chain))

    def way_out(self, scenario, action, *install_arguments, expect_window=True):
        """Starts the uninstaller, leaves it by action, and checks nothing was removed."""
        log("== %s" % scenario)
        self.install(*install_arguments)
        watcher = self.wine.start_uninstaller()
        if expect_window:
            window = Window(self.display)
            action(window)
        processes = process_results(watcher, 60)
        self.checks.expect_clean_exit(processes, scenario)
        state = self.wine.state()
        self.checks.expect_state(state, ALL_INSTALLED, scenario)
        self.checks.expect_state(state, SIBLINGS_KEPT, scenario)
        self.checks.expect(state.get("tempCopy") == "gone",
                           "%s: the temporary copy and its folder should be gone" % scenario)

    def moves_and_maximise(self, window):
        """Drags by the label row and by a button, then asks to maximise; closes the window."""
        x, y, _, _ = window.geometry()
        shadow = find_shadow(window)
        window.drag(LABEL_ROW, 40, 30)
        moved = window.geometry()
        self.checks.expect(moved[:2] == (x + 40, y + 30),
                           "drag by the label row: window at %s, expected %s" %
                           (moved[:2], (x + 40, y + 30)))
        moved_shadow = find_shadow(window)
        self.checks.expect(shadow is not None and moved_shadow is not None and
                           moved_shadow[:2] == (shadow[0] + 40, shadow[1] + 30),
                           "the shadow did not follow: %s -> %s" % (shadow, moved_shadow))
        window.drag(CANCEL_BUTTON, -60, -50)
        self.checks.expect(window.geometry()[:2] == moved[:2],
                           "pressing on a button moved the window")
        self.checks.expect(window.exists() and page_shown(window.screenshot()) == "confirm",
                           "a press dragged off the cancel button must not cancel")
        size = self.wine.fixture("syscommand", "maximize").strip()
        self.checks.expect(size == "size=600x400", "after the maximise command: %s" % size)
        self.checks.expect(window.geometry()[2:] == FRAME, "maximised on the screen")
        window.click(CLOSE_BUTTON)

    def english(self):
        log("== English system")
        chinese = self.first_page_text()
        self.wine.switch_language("en_US.UTF-8")
        english = self.first_page_text()
        self.checks.expect(english is not None and chinese is not None and english != chinese,
                           "the English system shows the same first page as the Chinese one")

    def first_page_text(self):
        """The pixels of the question and the button texts of the first page."""
        self.install()
        watcher = self.wine.start_uninstaller()
        window = Window(self.display)
        shot = window.screenshot(self.shot_path("page1-" + self.wine.language.split("_")[0]))
        pixels = shot.region(QUESTION_TEXT)
        window.key("n")
        self.checks.expect_clean_exit(process_results(watcher, 60), "first page in " +
                                      self.wine.language)
        return pixels

    def scenarios(self):
        return [
            lambda: self.full_removal("full removal confirmed with the Y key", True,
                                      files=3000, shots=PAGE_SHOTS),
            lambda: self.full_removal("full removal confirmed with the button", False),
            lambda: self.full_removal("full removal with /WAIT", False, switches=["/WAIT"]),
            lambda: self.full_removal("full removal with the driver's library held open", False,
                                      held_file=DRIVER_LIBRARY,
                                      shots={"finished": "page3-restart"}),
            lambda: self.way_out("N key on the first page", lambda w: w.key("n")),
            lambda: self.way_out("cancel button", lambda w: w.click(CANCEL_BUTTON)),
            lambda: self.way_out("dragging, maximising, then the close button",
                                 self.moves_and_maximise),
            lambda: self.way_out("Alt+F4", lambda w: w.key("alt+F4")),
            self.close_during_removal,
            lambda: self.way_out("another registered display name", None, "--name",
                                 "QuorvelTablet Pro", expect_window=False),
            lambda: self.way_out("display name differing in letter case", None, "--name",
                                 "quorveltablet", expect_window=False),
            self.english,
        ]

    def test(self, only):
        start = time.time()
        for number, scenario in enumerate(self.scenarios(), 1):
            if only and number not in only:
                continue
            try:
                scenario()
            except Failure as failure:
                self.checks.expect(False, str(failure))
                Screenshot(self.display, self.shot_path("failure-%d" % number))
                self.wine.fixture("remove")
        log("== %d failure(s) in %.0f s" % (len(self.checks.failures), time.time() - start))
        return 0 if not self.checks.failures else 1

    def demo(self):
        self.install()
        log("== Installed: entry, product key, installation folder, links, start-menu folder")
        for item, value in sorted(self.wine.state().items()):
            log("   %-15s %s" % (item, value))
        state = self.full_removal("Removing it through the window", True, files=3000,
                                  shots=PAGE_SHOTS)
        log("== Removed:")
        for item in sorted(ALL_INSTALLED):
            log("   %-15s %s" % (item, state.get(item)))
        log("== Left alone:")
        for item in sorted(SIBLINGS_KEPT):
            log("   %-15s %s" % (item, state.get(item)))
        log("== Removal tools, the driver's running program, the uninstaller's temporary copy:")
        for item in ["devcon", "DIFxCmd", "batchFile", "runningApp", "tempCopy"]:
            log("   %-15s %s" % (item, state.get(item)))
        if self.shots:
            log("== Screenshots in " + self.shots)
        return 0 if not self.checks.failures else 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["test", "demo"])
    parser.add_argument("build")
    parser.add_argument("--shots")
    parser.add_argument("--prefix", help="Wine prefix (default BUILD/e2e/wineprefix)")
    parser.add_argument("--only", type=int, action="append", help="run only scenario N")
    arguments = parser.parse_args()
    if arguments.shots:
        shutil.rmtree(arguments.shots, ignore_errors=True)
        os.makedirs(arguments.shots)
    build = os.path.abspath(arguments.build)
    runner = Runner(build, arguments.shots,
                    arguments.prefix or os.path.join(build, "e2e", "wineprefix"))
    try:
        return runner.test(arguments.only) if arguments.mode == "test" else runner.demo()
    except Failure as failure:
        log("FAILED: %s" % failure)
        return 1
    finally:
        runner.close()


if __name__ == "__main__":
    sys.exit(main())
