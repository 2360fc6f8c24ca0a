"""The browsers of the browser test, each through a maintained driver:
Chromium (Selenium and ChromeDriver), WebKitGTK's MiniBrowser (Selenium and
WebKitWebDriver) and Firefox ESR (Puppeteer over WebDriver BiDi), and the
static server and the display they use."""

import base64
import functools
import http.server
import io
import json
import os
import shutil
import subprocess
import threading
import time

PAGE = (1280, 900)
PAINTED = "performance.getEntriesByName('kansu-window-painted').length > 0"


def wait_until(condition, seconds=5):
    """Asks `condition` until it holds or the time is up; its last answer."""
    deadline = time.monotonic() + seconds
    while True:
        answer = condition()
        if answer or time.monotonic() > deadline:
            return answer
        time.sleep(0.05)


def serve(site):
    handler = functools.partial(_QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class SchoolServer:
    """The site served by nginx through scripts/serve, as a school serves it;
    `answers()` lists what it has sent since it was ready: (path, status,
    bytes with headers, content encoding)."""

    SERVE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                         "serve")

    def __init__(self, site, state):
        import socket
        import urllib.request
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.log = os.path.join(state, "access.log")
        self.process = subprocess.Popen(
            [self.SERVE, "--port", str(self.port), "--state", state, site],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.url = f"http://127.0.0.1:{self.port}/kansu.html"

        def ready():
            try:
                return urllib.request.urlopen(self.url + "?ready").status == 200
            except OSError:
                return False
        wait_until(ready, 30)

    def _lines(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log) as f:
            return f.read().splitlines()

    def answers(self):
        found = []
        for line in self._lines():
            method, path, status, sent, encoding = line.split()
            if not path.endswith("?ready"):
                found.append((path, int(status), int(sent), encoding))
        return found

    def close(self):
        self.process.terminate()
        self.process.wait()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class Page:
    """A browser through Selenium: its page, scripts, input and pictures."""

    # What the page's own script recorded of errors and unhandled promise
    # rejections: the same in every engine, also those without a log.
    PROBLEMS = "return window.kansuProblems || [];"

    def __init__(self, driver):
        self.driver = driver
        self.errors = []

    def open(self, url, size=None, ratio=1, touch=False):
        self.driver.get(url)
        return self.painted()

    def painted(self):
        """Waits for the window's first paint on the page just (re)loaded."""
        return wait_until(lambda: self.script(f"return {PAINTED};"), 60)

    def size(self):
        return tuple(self.script("return [innerWidth, innerHeight];"))

    def script(self, source, *args):
        return self.driver.execute_script(source, *args)

    def screenshot(self):
        from PIL import Image
        png = self.driver.get_screenshot_as_png()
        return Image.open(io.BytesIO(png)).convert("RGB")

    def click(self, x, y):
        # Press and release there, then leave the window, so that no hover
        # highlight stays on the control.
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(x, y).pointer_down().pointer_up()
        actions.pointer_action.move_to_location(1, 1)
        actions.perform()

    def keys(self, *sequence):
        from selenium.webdriver.common.action_chains import ActionChains
        chain = ActionChains(self.driver)
        for key in sequence:
            chain.send_keys(key)
        chain.perform()

    def collect_errors(self):
        try:
            self.errors += self.script(self.PROBLEMS)
        except Exception as error:  # the page has gone (the end screen reloads nothing)
            self.errors.append(f"the page could not be asked: {error}")

    def close(self):
        self.driver.quit()


class Chromium(Page):
    """Chromium, which also sets the page's size, pixel ratio and touch."""

    name = "Chromium"

    def __init__(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        options = Options()
        options.binary_location = shutil.which("chromium")
        for argument in ("--headless=new", "--no-sandbox", "--use-gl=swiftshader",
                         "--enable-unsafe-swiftshader", "--window-size=1400,1000"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        super().__init__(webdriver.Chrome(service=Service(shutil.which("chromedriver")),
                                          options=options))

    def open(self, url, size=PAGE, ratio=1, touch=False):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": size[0], "height": size[1], "deviceScaleFactor": ratio, "mobile": False})
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                    {"enabled": touch, "maxTouchPoints": 5})
        return super().open(url)

    def resize(self, size):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": False})

    def touch(self, x, y, cancelled=False):
        point = [{"x": x, "y": y, "id": 0}]
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                    {"type": "touchStart", "touchPoints": point})
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
            "type": "touchCancel" if cancelled else "touchEnd", "touchPoints": []})

    def pinch(self, x, y, gaps, first_alone=True):
        """Two fingers on either side of (x, y), their gap going through
        `gaps`; the first finger alone first, as a hand puts them down."""
        def points(gap):
            return [{"x": x - gap / 2, "y": y, "id": 0}, {"x": x + gap / 2, "y": y, "id": 1}]
        send = functools.partial(self.driver.execute_cdp_cmd, "Input.dispatchTouchEvent")
        if first_alone:
            send({"type": "touchStart", "touchPoints": points(gaps[0])[:1]})
        send({"type": "touchStart", "touchPoints": points(gaps[0])})
        for gap in gaps[1:]:
            send({"type": "touchMove", "touchPoints": points(gap)})
            self.script("return new Promise((done) => requestAnimationFrame(done));")
        send({"type": "touchEnd", "touchPoints": []})

    def collect_errors(self):
        super().collect_errors()
        for entry in self.driver.get_log("browser"):
            if entry["level"] == "SEVERE" or "Unhandled" in entry["message"]:
                self.errors.append(entry["message"])


class WebKit(Page):
    """WebKitGTK's MiniBrowser, Safari's engine, on a display."""

    name = "WebKit"
    BROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

    def __init__(self):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        options = Options()
        options.binary_location = self.BROWSER
        options.add_argument("--automation")
        super().__init__(webdriver.WebKitGTK(executable_path=shutil.which("WebKitWebDriver"),
                                             options=options))
        self.driver.set_window_size(*PAGE)


class Firefox(Page):
    """Firefox ESR on a display (headless it has no WebGL here), driven by
    Puppeteer over WebDriver BiDi through a small bridge in Node."""

    name = "Firefox"
    BRIDGE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node", "bridge.mjs")
    KEYS = {"\ue010": "End", "\ue003": "Backspace", "\ue031": "F1", "\ue00c": "Escape"}

    def __init__(self):
        self.bridge = subprocess.Popen(
            ["node", self.BRIDGE, shutil.which("firefox-esr"), str(PAGE[0]), str(PAGE[1])],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        super().__init__(None)

    def _call(self, **command):
        self.bridge.stdin.write(json.dumps(command) + "\n")
        self.bridge.stdin.flush()
        answer = json.loads(self.bridge.stdout.readline() or '{"error": "the bridge ended"}')
        if "error" in answer:
            raise RuntimeError(answer["error"])
        return answer["value"]

    def open(self, url, size=None, ratio=1, touch=False):
        self._call(open=url)
        return self.painted()

    def script(self, source, *args):
        return self._call(script=source, args=list(args))

    def screenshot(self):
        from PIL import Image
        png = base64.b64decode(self._call(screenshot=True))
        return Image.open(io.BytesIO(png)).convert("RGB")

    def click(self, x, y):
        self._call(click=[x, y])

    def keys(self, *sequence):
        self._call(keys=[self.KEYS.get(key, key) for key in sequence])

    def close(self):
        try:
            self._call(close=True)
        except (RuntimeError, OSError):
            pass
        self.bridge.stdin.close()
        self.bridge.wait()


def own_display():
    """An X display of its own for the browsers that need one (Xvfb)."""
    if not shutil.which("Xvfb"):
        return None
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1600x1200x24",
                               "-nolisten", "tcp"], pass_fds=(write,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    os.environ["DISPLAY"] = f":{number}"
    return server
