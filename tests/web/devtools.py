"""A headless Chromium driven over its DevTools pipe, with only the standard library.

Chromium reads commands from its descriptor 3 and writes answers and events to 4, each message
one JSON text ended by a NUL byte.
"""

import base64
import json
import os
import select
import shutil
import subprocess
import time


class DevToolsError(RuntimeError):
    pass


class Browser:
    FLAGS = [
        "--headless", "--no-sandbox", "--no-first-run", "--disable-gpu", "--enable-unsafe-swiftshader",
        "--use-angle=swiftshader", "--disable-background-networking", "--disable-component-update",
        "--disable-sync", "--disable-quic", "--disable-default-apps", "--disable-extensions",
        "--mute-audio", "--autoplay-policy=user-gesture-required", "--remote-debugging-pipe",
    ]

    def __init__(self, profile, width=800, height=600):
        executable = shutil.which("chromium") or shutil.which("chromium-browser")
        if executable is None:
            raise DevToolsError("chromium is not installed")
        commands_in, self._commands = os.pipe()
        self._answers, answers_out = os.pipe()
        command = " ".join([executable] + self.FLAGS + ["--user-data-dir=" + profile,
                            "--window-size=%d,%d" % (width, height)])
        # The shell puts the two pipe ends on the descriptors Chromium expects.
        self._process = subprocess.Popen(
            ["bash", "-c", 'exec %s 3<&%d 4>&%d' % (command, commands_in, answers_out)],
            pass_fds=(commands_in, answers_out), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(commands_in)
        os.close(answers_out)
        self._buffer = b""
        self._next_id = 0
        self.events = []
        self.session = None
        target = self.call("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

    def close(self):
        try:
            self.call("Browser.close", session=False, timeout=5)
        except Exception:
            pass
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        os.close(self._commands)
        os.close(self._answers)

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise DevToolsError("no answer from the browser in time")
            ready, _, _ = select.select([self._answers], [], [], left)
            if ready:
                chunk = os.read(self._answers, 1 << 20)
                if not chunk:
                    raise DevToolsError("the browser closed its pipe")
                self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=True, timeout=30):
        self._next_id += 1
        request = {"id": self._next_id, "method": method, "params": params or {}}
        if session and self.session is not None:
            request["sessionId"] = self.session
        os.write(self._commands, json.dumps(request).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            message = self._read_message(deadline)
            if message.get("id") == self._next_id:
                if "error" in message:
                    raise DevToolsError("%s: %s" % (method, message["error"].get("message")))
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def evaluate(self, expression, timeout=30):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout=timeout)
        if "exceptionDetails" in result:
            raise DevToolsError("%s: %s" % (expression, result["exceptionDetails"].get("text")))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=60, interval=0.1):
        """Polls an expression until it is true; returns its value, or None when time ran out."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(interval)
        return None

    def navigate(self, url):
        self.call("Page.navigate", {"url": url})

    def reload(self):
        self.call("Page.reload", {"ignoreCache": True})

    def move(self, x, y):
        self.call("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})

    def click(self, x, y):
        self.move(x, y)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                                   "clickCount": 1})

    # DOM key names with the Windows key codes the browser reports for them.
    KEYS = {
        "ArrowLeft": 37, "ArrowUp": 38, "ArrowRight": 39, "ArrowDown": 40, "Enter": 13, "Escape": 27,
        "Tab": 9, "p": 80,
    }

    def press(self, key):
        code = self.KEYS[key]
        dom_code = "Key" + key.upper() if len(key) == 1 else key
        text = key if len(key) == 1 else ("\r" if key == "Enter" else "")
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": dom_code,
                "windowsVirtualKeyCode": code, "nativeVirtualKeyCode": code}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", down)
        self.call("Input.dispatchKeyEvent", {"type": "keyUp", "key": key, "code": dom_code,
                                             "windowsVirtualKeyCode": code, "nativeVirtualKeyCode": code})

    def screenshot(self, x, y, width, height):
        """The PNG bytes of one area of the page at its own pixels."""
        result = self.call("Page.captureScreenshot", {
            "format": "png", "clip": {"x": x, "y": y, "width": width, "height": height, "scale": 1}})
        return base64.b64decode(result["data"])
