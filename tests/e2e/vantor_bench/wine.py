"""A fresh Wine prefix in code page 936, kept alive by a persistent
wineserver so that volatile registry keys live as long as the test session.
32-bit as the players' machines are; VANTOR_WINEARCH=win64 gives a 64-bit
prefix for the x86_64 test build on machines that cannot run 32-bit programs
(scripts/test.sh then puts a "wine" that starts the 64-bit loader first on PATH)."""
import os
import resource
import shutil
import signal
import subprocess
import tempfile
from pathlib import Path


class WineEnv:
    def __init__(self, display_name, root=None):
        self.prefix = Path(tempfile.mkdtemp(prefix="vantor-wine-", dir=root))
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": str(self.prefix),
            "WINEARCH": os.environ.get("VANTOR_WINEARCH", "win32"),
            "WINEDEBUG": os.environ.get("VANTOR_WINEDEBUG", "-all"),   # channels for a hunt
            "LC_ALL": "zh_CN.UTF-8",   # ANSI code page 936
            "DISPLAY": display_name,
            "WINEDLLOVERRIDES": "mscoree,mshtml=",  # no Mono or Gecko installer dialogs
        })

    def boot(self, timeout=180, window_manager=False):
        """Makes the prefix. window_manager: the display has one (a real
        screen); Wine's windows are then left managed, as on a desktop."""
        subprocess.run(["wine", "wineboot", "-i"], env=self.env, check=True, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The server that made the prefix starts taking its system processes
        # down as soon as wineboot ends. A program started meanwhile boots the
        # prefix again: a second service manager then runs beside the first,
        # the two answer the service requests in turn, and every program that
        # needs COM's RpcSs waited 15 to 30 s for it. So let that server end
        # completely first.
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A persistent server keeps the session's registry (volatile keys too)
        # and its system processes, whether or not a program is running.
        subprocess.Popen(["wineserver", "-p"], env=self.env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).wait(timeout=30)
        # A program that crashes leaves the debugger's backtrace in crash_log and
        # ends, instead of waiting behind a crash dialog.
        self.reg_add(r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "0", "REG_DWORD")
        # On a display without a window manager Wine waited 2 s at each
        # managed window's close for an answer that never came.
        if not window_manager:
            self.reg_add(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")
        debugger = rf"cmd /c C:\windows\system32\winedbg.exe --auto %ld %ld >> {self.winpath(self.crash_log)} 2>&1"
        self.reg_add(r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug", "Debugger", debugger)
        return self

    @property
    def crash_log(self):
        return self.prefix / "crash-backtraces.txt"

    def reg_add(self, key, name, data, kind="REG_SZ"):
        subprocess.run(["wine", "reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"], env=self.env,
                       check=True, timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def thread_backtraces(self, pid, timeout=60):
        """The debugger's backtraces of every thread of a running process (its
        Windows process ID); the process goes on running afterwards."""
        script = self.prefix / f"backtraces-{pid}.dbg"
        script.write_text(f"attach 0x{pid:x}\nbt all\ndetach\nquit\n")
        result = self.run(["winedbg", "--file", self.winpath(script)], timeout=timeout)
        # The debugger goes through every process of the session: keep this one's threads.
        blocks = (result.stdout + result.stderr).split(b"Backtracing for thread ")
        mine = f" in process {pid:04x} ".encode()
        return b"".join(b"Backtracing for thread " + block for block in blocks[1:] if mine in block.split(b"\n", 1)[0])

    def winpath(self, path):
        """The Windows name of a Linux path (drive Z: maps the root)."""
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def run(self, args, cwd=None, timeout=60, input=None, file_size_limit=None):
        """Runs a program to its end; its output in the result's stdout and stderr.
        The output goes through files, not pipes: a program that is the first to
        need one of Wine's service processes (COM, for example) has them started
        with its handles, and they would hold a pipe open long after it ended.
        file_size_limit (bytes): no file the program writes grows past it, as on
        a full disk (the writes fail; the prefix's server, already running, is not limited)."""
        def limited():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_size_limit, file_size_limit))
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(["wine", *map(str, args)], cwd=cwd, env=self.env, input=input,
                                  stdout=out, stderr=err, timeout=timeout,
                                  preexec_fn=limited if file_size_limit else None)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(done.args, done.returncode, out.read(), err.read())

    def start(self, args, cwd=None, stdout=None, stderr=None, stdin=subprocess.DEVNULL, env=None):
        """Starts a program; env (may be None) adds to or overrides the prefix's environment."""
        return subprocess.Popen(["wine", *map(str, args)], cwd=cwd, env={**self.env, **(env or {})},
                                stdin=stdin, stdout=stdout, stderr=stderr)

    def reg_keys(self, key):
        """Sub-key names of a registry key (through the system's reg tool)."""
        result = self.run(["reg", "query", key])
        lines = result.stdout.decode("gbk", "replace").splitlines()
        return [line.strip().rsplit("\\", 1)[-1] for line in lines if line.strip().upper().startswith(key.upper() + "\\")]

    def kill_all(self):
        """Ends every Windows process of the prefix (and the server with them)."""
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def destroy(self):
        self.kill_all()
        shutil.rmtree(self.prefix, ignore_errors=True)
