"""Client of tests/uidriver: one driver process per test session, one JSON
line answered per command. Texts are GBK bytes in hex on the wire."""
import json
import subprocess
import time


def _hex(text):
    return text.encode("gbk").hex() or "-"


def _text(hexed):
    return bytes.fromhex(hexed).decode("gbk", "replace")


class Control:
    """What the driver reports of one window or control."""

    def __init__(self, raw):
        self.exists = raw.get("exists", False)
        self.hwnd = raw.get("hwnd", 0)
        self.id = raw.get("id", 0)
        self.pid = raw.get("pid", 0)
        self.cls = _text(raw.get("class", ""))
        self.text = _text(raw.get("text", ""))
        self.visible = raw.get("visible", False)
        self.enabled = raw.get("enabled", False)
        self.rect = tuple(raw.get("rect", (0, 0, 0, 0)))      # x, y, width, height (parent client)
        self.client = tuple(raw.get("client", (0, 0, 0, 0)))

    def __repr__(self):
        return (f"Control(id={self.id}, cls={self.cls!r}, text={self.text!r}, visible={self.visible}, "
                f"rect={self.rect})")


class WindowState:
    """Styles and state of a window, read without a message to it."""
    WS_VISIBLE = 0x10000000
    WS_EX_TOOLWINDOW = 0x80
    WS_EX_APPWINDOW = 0x40000

    def __init__(self, raw):
        self.exists = raw.get("exists", False)
        self.pid = raw.get("pid", 0)
        self.style = raw.get("style", 0)
        self.exstyle = raw.get("exstyle", 0)
        self.visible = raw.get("visible", False)
        self.iconic = raw.get("iconic", False)
        self.foreground = raw.get("foreground", False)
        self.popup = raw.get("popup", 0)

    @property
    def tool_window(self):
        return bool(self.exstyle & self.WS_EX_TOOLWINDOW)

    @property
    def app_window(self):
        return bool(self.exstyle & self.WS_EX_APPWINDOW)

    def __repr__(self):
        return (f"WindowState(visible={self.visible}, iconic={self.iconic}, foreground={self.foreground}, "
                f"style={self.style:#x}, exstyle={self.exstyle:#x})")


class MessageBox:
    def __init__(self, raw):
        self.hwnd = raw["hwnd"]
        self.caption = _text(raw["caption"])
        self.text = _text(raw["text"])
        self.buttons = raw["buttons"]

    def __repr__(self):
        return f"MessageBox(caption={self.caption!r}, text={self.text!r}, buttons={self.buttons})"


def wait_for(condition, timeout, interval=0.05, what="condition"):
    """Polls condition() until it returns something true; raises after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


class UiDriver:
    def __init__(self, wine, exe):
        self._process = wine.start([exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL)

    def command(self, *words):
        line = " ".join(str(w) for w in words) + "\n"
        self._process.stdin.write(line.encode("ascii"))
        self._process.stdin.flush()
        answer = self._process.stdout.readline()
        if not answer:
            raise RuntimeError("the UI driver ended")
        result = json.loads(answer)
        if "error" in result:
            raise RuntimeError(f"UI driver: {result['error']} ({line.strip()})")
        return result

    def close(self):
        try:
            self._process.stdin.write(b"quit\n")
            self._process.stdin.flush()
            self._process.wait(timeout=10)
        except Exception:
            self._process.kill()

    # ---- windows --------------------------------------------------------
    def windows(self):
        return [Control(w) for w in self.command("windows")["windows"]]

    def find_window(self, title=None, cls=None, visible=True, exclude=()):
        """The first top-level window that matches; exclude: handles to pass over."""
        for window in self.windows():
            if window.hwnd in exclude:
                continue
            if title is not None and window.text != title:
                continue
            if cls is not None and window.cls != cls:
                continue
            if visible and not window.visible:
                continue
            return window
        return None

    def wait_window(self, title=None, cls=None, timeout=30, exclude=()):
        return wait_for(lambda: self.find_window(title, cls, exclude=exclude), timeout,
                        what=f"window {title or cls!r}")

    def window(self, hwnd):
        return Control(self.command("window", hwnd))

    def wait_gone(self, hwnd, timeout=30):
        wait_for(lambda: not self.window(hwnd).exists, timeout, what=f"window {hwnd} to close")

    def control(self, hwnd, control_id):
        return Control(self.command("control", hwnd, control_id))

    def state(self, hwnd):
        """Styles, visibility, minimised and foreground state, without a message
        to the window (safe while its thread takes no messages)."""
        return WindowState(self.command("state", hwnd))

    def foreground(self):
        return self.command("foreground")["hwnd"]

    def show(self, hwnd, how):
        """ShowWindowAsync: SW_MINIMIZE 6, SW_RESTORE 9, SW_SHOW 5, ..."""
        self.command("show", hwnd, how)

    # ---- processes ------------------------------------------------------
    def processes(self):
        """[(pid, executable name)] of the session's running Windows processes."""
        return [(p["pid"], _text(p["exe"])) for p in self.command("processes")["processes"]]

    def terminate(self, pid):
        """Ends a Windows process by its ID; whether it ended."""
        return self.command("terminate", pid)["ok"]

    # ---- input ----------------------------------------------------------
    def set_text(self, hwnd, control_id, text):
        self.command("settext", hwnd, control_id, _hex(text))

    def items(self, hwnd, control_id):
        raw = self.command("items", hwnd, control_id)
        return {"count": raw["count"], "selection": raw["selection"], "height": raw["height"],
                "items": [_text(t) for t in raw["items"]]}

    def select(self, hwnd, control_id, index):
        self.command("select", hwnd, control_id, index)

    def double_click_item(self, hwnd, control_id, index):
        self.command("dblclick", hwnd, control_id, index)

    def click(self, hwnd, control_id):
        self.command("click", hwnd, control_id)

    def command_click(self, hwnd, control_id):
        """Posts the button's WM_COMMAND to the window (a click that ignores visibility)."""
        self.command("command", hwnd, control_id)

    def type_text(self, hwnd, control_id, text):
        self.command("type", hwnd, control_id, _hex(text))

    def default_button(self, hwnd):
        return self.command("defid", hwnd)["defid"]

    def key(self, hwnd, virtual_key):
        self.command("key", hwnd, virtual_key)

    def post_close(self, hwnd):
        self.command("close", hwnd)

    # ---- message boxes --------------------------------------------------
    def message_box(self):
        raw = self.command("msgbox")
        return MessageBox(raw) if raw.get("found") else None

    def wait_message_box(self, timeout=30):
        return wait_for(self.message_box, timeout, what="a message box")

    def press(self, box, button_id=1):
        self.command("press", box.hwnd, button_id)

    # ---- registry -------------------------------------------------------
    def reg_read(self, root, path, value):
        """The value's bytes (REG_SZ includes its terminating zero), or None."""
        raw = self.command("regread", root, _hex(path), _hex(value or ""))
        return bytes.fromhex(raw["data"]) if raw.get("found") else None

    def reg_write(self, root, path, value, data, reg_type=1):
        self.command("regwrite", root, _hex(path), _hex(value), _hex(data), reg_type)

    def reg_delete(self, root, path):
        self.command("regdelete", root, _hex(path))
