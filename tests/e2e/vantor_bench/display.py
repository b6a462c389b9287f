"""An X display for the programs under test: a private Xvfb server, or the
display named in VANTOR_E2E_DISPLAY (to watch the tests on a real screen)."""
import os
import subprocess
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

    def screenshot(self, path):
        """Saves the whole screen as PNG; returns whether it worked."""
        result = subprocess.run(["import", "-display", self.name, "-window", "root", str(path)],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        return result.returncode == 0

    def stop(self):
        if self._process:
            self._process.terminate()
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
