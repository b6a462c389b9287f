"""An X display for the programs under test: a private Xvfb server, or the
display named in VANTOR_E2E_DISPLAY (to watch the tests on a real screen)."""
import os
import subprocess
import tempfile
import time
from pathlib import Path


class Display:
    def __init__(self, name, process=None):
        self.name = name
        self._process = process

    @classmethod
    def start(cls, timeout=15.0):
        chosen = os.environ.get("VANTOR_E2E_DISPLAY")
        if chosen:
            return cls(chosen)
        for number in range(90, 190):
            if Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
                continue
            process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                if Path(f"/tmp/.X11-unix/X{number}").exists():
                    return cls(f":{number}", process)
                if process.poll() is not None:
                    break  # the number was taken after all; try the next one
                time.sleep(0.05)
            process.kill()
        raise RuntimeError("could not start Xvfb")

    @property
    def real_screen(self):
        """A display named by VANTOR_E2E_DISPLAY, not a private Xvfb."""
        return self._process is None

    def screenshot(self, path):
        """Saves the whole screen as PNG; returns whether it worked."""
        result = subprocess.run(["import", "-display", self.name, "-window", "root", str(path)],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        return result.returncode == 0

    def pixels(self, x, y, width, height):
        """The screen's RGB bytes of a rectangle (row by row, three bytes a pixel)."""
        raw = subprocess.run(["import", "-display", self.name, "-window", "root",
                              "-crop", f"{width}x{height}+{x}+{y}", "-depth", "8", "rgb:-"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=30, check=True).stdout
        if len(raw) != width * height * 3:
            raise RuntimeError(f"screen crop gave {len(raw)} bytes for {width}x{height}")
        return raw

    def steady_pixels(self, x, y, width, height, settle=0.5, timeout=30):
        """The rectangle's pixels once two captures settle seconds apart agree:
        a window that is still painting (a late control, a text set a moment
        later) is not taken for its finished picture."""
        deadline = time.monotonic() + timeout
        last = self.pixels(x, y, width, height)
        while True:
            time.sleep(settle)
            now = self.pixels(x, y, width, height)
            if now == last:
                return now
            if time.monotonic() > deadline:
                raise TimeoutError(f"the picture at {x},{y} {width}x{height} kept changing for {timeout}s: "
                                   f"{differing_area(last, now, width)}")
            last = now

    def save_rgb(self, path, raw, width, height):
        """Writes pixels as given by pixels() to a PNG file."""
        subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "rgb:-", str(path)],
                       input=raw, check=True, timeout=30)

    def fill_background(self, rgb):
        """Paints the screen behind every window in one colour (the root window's
        background), so that a test sees where a window lets it through."""
        with tempfile.TemporaryDirectory() as work:
            tile = Path(work) / "tile.png"
            subprocess.run(["convert", "-size", "8x8", "xc:rgb({},{},{})".format(*rgb), str(tile)],
                           check=True, timeout=30)
            # display sets the background and ends; its exit status says nothing of that.
            subprocess.run(["display", "-display", self.name, "-window", "root", str(tile)],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def point(self, x, y):
        """Moves the real pointer to (x, y), as a player's mouse does."""
        self._xdotool("mousemove", "--sync", str(x), str(y))

    def click(self, x, y):
        """Moves the pointer to (x, y) and clicks the left button there."""
        self._xdotool("mousemove", "--sync", str(x), str(y), "sleep", "0.2", "click", "1")

    def press(self, x, y):
        """Moves the pointer to (x, y) and holds the left button down there."""
        self._xdotool("mousemove", "--sync", str(x), str(y), "sleep", "0.2", "mousedown", "1")

    def release(self):
        """Lets the left button go where the pointer is."""
        self._xdotool("mouseup", "1")

    def key(self, name):
        """Presses and releases a real key (an X key name such as "Return"),
        which goes wherever the keyboard focus is, as a player's typing does."""
        self._xdotool("key", name)

    def _xdotool(self, *words):
        subprocess.run(["xdotool", *words], env={**os.environ, "DISPLAY": self.name}, check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def drag(self, start, end, steps=10):
        """Presses the left mouse button at start, moves to end in steps, releases:
        what a player's drag does."""
        run = ["xdotool", "mousemove", "--sync", str(start[0]), str(start[1]), "mousedown", "1"]
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            run += ["sleep", "0.05", "mousemove", str(x), str(y)]
        run += ["sleep", "0.2", "mouseup", "1"]
        subprocess.run(run, env={**os.environ, "DISPLAY": self.name}, check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stop(self):
        if self._process:
            self._process.terminate()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()


def differing_area(a, b, width):
    """Where two captures of one rectangle differ: "N pixels within (left, top)-(right, bottom)",
    or "no pixel"."""
    xs, ys = [], []
    for i in range(0, min(len(a), len(b)), 3):
        if a[i:i + 3] != b[i:i + 3]:
            xs.append(i // 3 % width)
            ys.append(i // 3 // width)
    if not xs:
        return "no pixel"
    return f"{len(xs)} pixels within ({min(xs)}, {min(ys)})-({max(xs)}, {max(ys)})"
