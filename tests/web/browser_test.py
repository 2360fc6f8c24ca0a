#!/usr/bin/python3
"""The lesson as a web page, in headless Chromium driven through ChromeDriver.

Serves the site on 127.0.0.1, waits for the window, and checks its pixels
against the desktop window's in the same states: at the start; after three
steps with the graph shown and 青 chosen; after a whole automatic run at
speed 01. Then 終了 must leave the page's end screen. With --report it prints
the page's figures instead of failing on them: site size, time to the first
painted window, one forward step.

Exit status 77 (skipped) with the reason when the site or the browser is
missing.
"""

import argparse
import base64
import functools
import gzip
import http.server
import io
import json
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

SKIPPED = 77
OLIVE = (128, 128, 0)  # the window's background
# A translucent line (the option group's frame) is blended by the browser's
# canvas with a rounding of its own: one level either way is the same pixel.
TOLERANCE = 2


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIPPED)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def serve(site):
    handler = functools.partial(_QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class Browser:
    """Just enough of the WebDriver protocol: a page, scripts, input, pictures."""

    def __init__(self, width, height):
        self.port = free_port()
        self.driver = subprocess.Popen(["chromedriver", f"--port={self.port}"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while True:
            try:
                self._call("GET", "/status")
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.1)
        options = {"args": ["--headless=new", "--no-sandbox", "--use-gl=swiftshader",
                            "--enable-unsafe-swiftshader", "--force-device-scale-factor=1",
                            f"--window-size={width},{height}"]}
        capabilities = {"alwaysMatch": {"goog:chromeOptions": options,
                                        "goog:loggingPrefs": {"browser": "ALL"}}}
        self.session = self._call("POST", "/session", {"capabilities": capabilities})["sessionId"]

    def _call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(f"http://127.0.0.1:{self.port}{path}", data=data,
                                         method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=120) as response:
            return json.loads(response.read())["value"]

    def command(self, method, what, body=None):
        return self._call(method, f"/session/{self.session}/{what}", body)

    def open(self, url):
        self.command("POST", "url", {"url": url})

    def script(self, source, *args):
        return self.command("POST", "execute/sync", {"script": source, "args": list(args)})

    def screenshot(self):
        from PIL import Image
        png = base64.b64decode(self.command("GET", "screenshot"))
        return Image.open(io.BytesIO(png)).convert("RGB")

    def click(self, x, y):
        # Press and release there, then leave the window, so that no hover
        # highlight stays on the control.
        pointer = {"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                   "actions": [{"type": "pointerMove", "x": x, "y": y, "duration": 0},
                               {"type": "pointerDown", "button": 0},
                               {"type": "pointerUp", "button": 0},
                               {"type": "pointerMove", "x": 1, "y": 1, "duration": 0}]}
        self.command("POST", "actions", {"actions": [pointer]})

    def keys(self, *sequence):
        actions = []
        for key in sequence:
            actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.command("POST", "actions", {"actions": [{"type": "key", "id": "keyboard",
                                                      "actions": actions}]})

    def console(self):
        try:
            return [e["message"] for e in self.command("POST", "se/log", {"type": "browser"})]
        except OSError:
            return []

    def close(self):
        try:
            self._call("DELETE", f"/session/{self.session}")
        finally:
            self.driver.terminate()
            self.driver.wait()


def window_origin(image):
    """The top left corner of the window's inside: its first olive pixel."""
    width, height = image.size
    pixels = image.load()
    for y in range(height):
        for x in range(width):
            if pixels[x, y] == OLIVE:
                return x, y
    return None


def differing(image, origin, reference):
    """Pixels of the window that differ from the desktop's beyond rounding."""
    if origin is None:
        return reference.size[0] * reference.size[1]
    x0, y0 = origin
    shown = image.crop((x0, y0, x0 + reference.size[0], y0 + reference.size[1])).load()
    wanted = reference.load()
    count = 0
    for y in range(reference.size[1]):
        for x in range(reference.size[0]):
            if max(abs(a - b) for a, b in zip(shown[x, y], wanted[x, y])) > TOLERANCE:
                count += 1
    return count


def wait_for_state(browser, reference, name, seconds, shots):
    """Screenshots until the window shows what the desktop showed."""
    deadline = time.monotonic() + seconds
    while True:
        image = browser.screenshot()
        origin = window_origin(image)
        bad = differing(image, origin, reference)
        if bad == 0 or time.monotonic() > deadline:
            image.save(os.path.join(shots, f"browser-{name}.png"))
            return origin, bad
        time.sleep(0.2)


def wait_until(browser, condition, seconds):
    deadline = time.monotonic() + seconds
    while not browser.script(f"return Boolean({condition});"):
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


PAINTED = "performance.getEntriesByName('kansu-window-painted').length > 0"


def site_size(site):
    raw = packed = 0
    for name in os.listdir(site):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        raw += len(data)
        packed += len(gzip.compress(data, 9))
    return raw, packed


def report(browser, url, site, controls):
    raw, packed = site_size(site)
    print(f"site_mb {raw / 1e6:.2f}  (goal <= 15)")
    print(f"site_gzip_mb {packed / 1e6:.2f}  (goal <= 6)")
    loads = []
    for _ in range(3):
        browser.open(url)
        if not wait_until(browser, PAINTED, 60):
            print("no window painted within 60 s")
            return 1
        loads.append(browser.script(
            "return performance.getEntriesByName('kansu-window-painted')[0].startTime;"))
    print(f"first_window_ms {statistics.median(loads):.0f}  (median of 3 loads; goal <= 1500)")
    x0, y0 = window_origin(browser.screenshot())
    # Presses, each timed from the press to the end of its handling: the
    # toolkit handles a pointer event before dispatchEvent returns. On 進む
    # that is a step (and the button's own repaint, pressed and released);
    # on the window's bare background, between the board and the buttons,
    # only the toolkit's handling of the press.
    presses = """
        const [x, y, count] = arguments;
        const canvas = document.querySelector('#screen');
        const send = (type, buttons) => canvas.dispatchEvent(new PointerEvent(type, {
            clientX: x, clientY: y, button: 0, buttons, pointerId: 1, pointerType: 'mouse',
            isPrimary: true, bubbles: true, cancelable: true}));
        const times = [];
        for (let i = 0; i < count; ++i) {
            const start = performance.now();
            send('pointerdown', 1);
            send('pointerup', 0);
            times.push(performance.now() - start);
        }
        return times;"""

    def at(name):
        return x0 + controls[name]["x"], y0 + controls[name]["y"]

    bare = browser.script(presses, x0 + 514, y0 + 300, 20)
    steps = []
    for _ in range(3):  # three times to 10 cm and back
        steps += browser.script(presses, *at("susumu"), 20)
        browser.script(presses, *at("modoru"), 20)
    print(f"step_ms {statistics.median(steps):.2f}  (median of 60 forward steps; goal <= 2)")
    print(f"press_ms {statistics.median(bare):.2f}  (a press on the bare window, the same way)")
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--desktop-shots", help="the program that takes the desktop's pictures")
    parser.add_argument("--report", action="store_true")
    parser.add_argument("--keep", help="a folder to keep the pictures in")
    args = parser.parse_args()

    if not os.path.exists(os.path.join(args.site, "kansu.html")):
        skip(f"no WebAssembly build in {args.site}: scripts/web makes it")
    for program in ("chromium", "chromedriver"):
        if not shutil.which(program):
            skip(f"{program} is not installed: scripts/web installs it")
    try:
        import PIL  # noqa: F401
    except ImportError:
        skip("python3-pil is not installed: scripts/web installs it")

    shots = args.keep or tempfile.mkdtemp(prefix="kansu-browser-")
    os.makedirs(shots, exist_ok=True)
    subprocess.run([args.desktop_shots, shots], check=True,
                   stderr=subprocess.DEVNULL if args.report else None)
    with open(os.path.join(shots, "controls.json")) as f:
        controls = json.load(f)

    server = serve(args.site)
    url = f"http://127.0.0.1:{server.server_address[1]}/kansu.html"
    browser = Browser(1280, 900)
    try:
        if args.report:
            return report(browser, url, args.site, controls)
        return check(browser, url, shots, controls)
    finally:
        for line in browser.console():
            if "SEVERE" in line or "rror" in line:
                print("console:", line)
        browser.close()
        server.shutdown()


def check(browser, url, shots, controls):
    from PIL import Image
    failures = []

    def expect(condition, what):
        print(("ok      " if condition else "FAILED  ") + what)
        if not condition:
            failures.append(what)

    def desktop(name):
        return Image.open(os.path.join(shots, f"{name}.png")).convert("RGB")

    browser.open(url)
    expect(wait_until(browser, PAINTED, 60), "the window is painted")
    origin, bad = wait_for_state(browser, desktop("start"), "start", 5, shots)
    expect(bad == 0, f"start: the desktop's pixels ({bad} differ)")
    if origin is None:
        return 1

    def click(name):
        # Where the window is now: the page keeps it on the page as it grows.
        x0, y0 = window_origin(browser.screenshot())
        browser.click(x0 + controls[name]["x"], y0 + controls[name]["y"])

    for _ in range(3):
        click("susumu")
    click("Check2")
    click("Option1_1")
    _, bad = wait_for_state(browser, desktop("lesson"), "lesson", 5, shots)
    expect(bad == 0, f"three steps, the graph, 青: the desktop's pixels ({bad} differ)")

    # Speed 01, typed as a pupil types it, then a whole run.
    click("Combo1")
    browser.keys("\ue010", "\ue003", "\ue003", "0", "1")  # End, two Backspaces, 0, 1
    click("jidou")
    _, bad = wait_for_state(browser, desktop("run"), "run", 20, shots)
    expect(bad == 0, f"a run at speed 01 ends at 10 cm: the desktop's pixels ({bad} differ)")

    click("end")
    expect(wait_until(browser, "!document.getElementById('ended').hidden && "
                      "getComputedStyle(document.querySelector('#screen')).display == 'none'", 5),
           "終了 leaves the end screen")
    text = browser.script("return document.getElementById('ended').innerText;")
    expect("終了しました" in text, "the end screen says so")
    browser.screenshot().save(os.path.join(shots, "browser-ended.png"))
    print(f"pictures in {shots}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
