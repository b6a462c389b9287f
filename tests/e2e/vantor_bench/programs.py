"""Installation folders and the programs started in them."""
import shutil
import subprocess
import time
from pathlib import Path

LAUNCHER_TITLE = "岚境·Vantor Online"


class InstallFolder:
    """A fresh copy of the built installation image: what the player has on disk."""

    def __init__(self, path, image):
        self.path = Path(path)
        shutil.copytree(image, self.path)

    def file(self, name):
        return self.path / name

    def write(self, name, data, encoding="gbk"):
        target = self.path / name
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data if isinstance(data, bytes) else data.encode(encoding))
        return target


class Program:
    """A Windows program started under Wine; its output is recorded in files."""

    def __init__(self, wine, exe, args, cwd, record_dir, env=None):
        record_dir = Path(record_dir)
        record_dir.mkdir(parents=True, exist_ok=True)
        name = Path(exe).stem
        self.stdout_path = record_dir / f"{name}.stdout"
        self.stderr_path = record_dir / f"{name}.stderr"
        self._stdout = open(self.stdout_path, "wb")
        self._stderr = open(self.stderr_path, "wb")
        self.process = wine.start([exe, *args], cwd=cwd, stdout=self._stdout, stderr=self._stderr, env=env)

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=30):
        """Waits for the program to end; returns its exit code."""
        try:
            return self.process.wait(timeout=timeout)
        finally:
            if self.process.poll() is not None:
                self._close_records()

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self._close_records()

    def _close_records(self):
        for f in (self._stdout, self._stderr):
            if not f.closed:
                f.close()


def wait_until(condition, timeout, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)
