#!/usr/bin/python3
"""The lesson as a web page in three engines (engines.py): Chromium, WebKit
(Safari's engine) and Firefox ESR.

Serves the site on 127.0.0.1 and checks the page's pixels against the
desktop window's, filling an area of the page's size as the page does, in
every engine: at the start; after three steps with the graph shown and 青
chosen; after a whole automatic run at speed 01; both panels; then that 終了
leaves the page's end screen. In Chromium also: the lesson fits pages of a
Chromebook (1366 x 657), an iPad in portrait (768 x 960) and 640 x 480 and a
tablet turned; it is whole at a device pixel ratio of 2 and of 0.8 (a
browser zoomed out); F11 takes it to the browser's full screen and back;
taps work, one click each, also after a touch that the system cancelled;
screen readers find the controls; the page is installable and opens with
its server gone; the single file opens from the disk. No error in any
engine's console. With --report it prints the page's figures instead: site
size, time to the first painted window, one forward step, in each engine.

Exit status 77 (skipped) with the reason when the site or the browser is
missing.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from engines import (PAGE, Chromium, Firefox, SchoolServer, WebKit, own_display,  # noqa: E402
                     serve, wait_until)

SKIPPED = 77
# A translucent line (the option group's frame) is blended by the browser's
# canvas with a rounding of its own: one level either way is the same pixel.
TOLERANCE = 2
FITTED_PAGES = [(1366, 657), (768, 960), (640, 480)]
DESIGNED = (663, 558)  # the window's designed size: the lesson at zoom 1


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIPPED)


def differing(image, reference):
    """Pixels of the page that differ from the desktop's beyond rounding."""
    if image.size != reference.size:
        return reference.size[0] * reference.size[1]
    from PIL import ImageChops
    diff = ImageChops.difference(image, reference).convert("L")
    return sum(diff.point(lambda v: 255 if v > TOLERANCE else 0).histogram()[255:])


def wait_for_state(page, reference, name, seconds, shots, boxes=None):
    """Screenshots until the page shows what the desktop showed (in the
    given boxes only, if any); the pixels that still differ."""
    deadline = time.monotonic() + seconds
    while True:
        image = page.screenshot()
        if boxes:
            bad = sum(differing(image.crop(box), reference.crop(box)) for box in boxes)
        else:
            bad = differing(image, reference)
        if bad == 0 or time.monotonic() > deadline:
            image.save(os.path.join(shots, f"browser-{name}.png"))
            return bad
        time.sleep(0.2)


class Desktop:
    """The desktop window's pictures for a page size (and pixel ratio)."""

    def __init__(self, program, shots):
        self.program = program
        self.shots = shots

    def folder(self, size, ratio=1):
        folder = os.path.join(self.shots, f"desktop-{size[0]}x{size[1]}@{ratio}")
        if not os.path.isdir(folder):
            os.makedirs(folder)
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QT_SCALE_FACTOR=str(ratio))
            subprocess.run([self.program, folder, str(size[0]), str(size[1])], check=True,
                           env=env, stderr=subprocess.DEVNULL)
        return folder

    def picture(self, name, size=PAGE, ratio=1):
        from PIL import Image
        return Image.open(os.path.join(self.folder(size, ratio), f"{name}.png")).convert("RGB")

    def controls(self, size=PAGE):
        with open(os.path.join(self.folder(size), "controls.json")) as f:
            return json.load(f)


class Expectations:
    def __init__(self):
        self.failures = []

    def __call__(self, condition, what):
        print(("ok      " if condition else "FAILED  ") + what)
        if not condition:
            self.failures.append(what)


def check_lesson(page, url, desktop, shots, expect):
    """The lesson's course in any engine, at its page's size."""
    engine = page.name

    def same(name, reference, what, seconds=5):
        bad = wait_for_state(page, reference, f"{engine}-{name}", seconds, shots)
        expect(bad == 0, f"{engine}: {what}: the desktop's pixels ({bad} differ)")

    expect(page.open(url), f"{engine}: the window is painted")
    size = page.size()
    same("start", desktop.picture("start", size), "start")
    controls = desktop.controls(size)

    def click(state, name):
        page.click(controls[state][name]["x"], controls[state][name]["y"])

    for _ in range(3):
        click("start", "susumu")
    click("start", "Check2")
    click("lesson", "Option1_1")
    same("lesson", desktop.picture("lesson", size), "three steps, the graph, 青")

    # Speed 01, typed as a pupil types it, then a whole run.
    click("lesson", "Combo1")
    page.keys("\ue010", "\ue003", "\ue003", "0", "1")  # End, two Backspaces, 0, 1
    click("lesson", "jidou")
    same("run", desktop.picture("run", size), "a run at speed 01 ends at 10 cm", 20)
    click("lesson", "Check3")
    same("panels", desktop.picture("panels", size), "both panels")
    page.collect_errors()

    click("panels", "end")
    ended = ("!document.getElementById('ended').hidden && "
             "getComputedStyle(document.querySelector('#screen')).display == 'none'")
    expect(wait_until(lambda: page.script(f"return {ended};")),
           f"{engine}: 終了 leaves the end screen")
    text = page.script("return document.getElementById('ended').innerText;")
    expect("終了しました" in text, f"{engine}: the end screen says so")


def check_screens(page, url, desktop, shots, expect):
    """Page sizes, pixel ratios and touch, which Chromium can set."""

    def same(name, reference, what, seconds=5):
        bad = wait_for_state(page, reference, name, seconds, shots)
        expect(bad == 0, f"{what}: the desktop's pixels ({bad} differ)")

    # Smaller pages: the lesson fits them whole, both panels shown.
    for size in FITTED_PAGES:
        page.open(url, size)
        fitted = desktop.controls(size)
        for state, name in (("start", "Check2"), ("lesson", "Check3")):
            page.click(fitted[state][name]["x"], fitted[state][name]["y"])
        same(f"fit-{size[0]}x{size[1]}", desktop.picture("both", size),
             f"a {size[0]} x {size[1]} page holds the whole lesson")
        page.collect_errors()

    # A tablet turned: the lesson fits the page again as it changes.
    page.open(url, (768, 960))
    page.resize((960, 768))
    same("turned", desktop.picture("start", (960, 768)), "a tablet turned to 960 x 768")

    # A sharp screen draws at its own pixels; a browser zoomed out, whole.
    page.open(url, PAGE, 2)
    same("ratio-2", desktop.picture("start", PAGE, 2), "a device pixel ratio of 2")
    page.open(url, PAGE, 0.8)
    from PIL import Image, ImageChops
    reference = desktop.picture("start").resize(
        (round(PAGE[0] * 0.8), round(PAGE[1] * 0.8)), Image.BILINEAR)
    shown = page.screenshot()
    shown.save(os.path.join(shots, "browser-ratio-0.8.png"))
    share = 1.0
    if shown.size == reference.size:
        diff = ImageChops.difference(shown, reference).convert("L")
        far = sum(diff.point(lambda v: 255 if v > 96 else 0).histogram()[255:])
        share = far / (reference.size[0] * reference.size[1])
    expect(share < 0.01, f"a device pixel ratio of 0.8: whole ({share:.4f} of it far off)")
    page.collect_errors()

    # F11 asks the browser for full screen, and F11 again leaves it.
    page.open(url)
    page.click(2, PAGE[1] // 2)
    states = []
    for _ in range(2):
        page.keys("\ue03b")  # F11
        full = "return Boolean(document.fullscreenElement);"
        wanted = not states  # full screen the first time, back the second
        wait_until(lambda: page.script(full) == wanted)
        states.append(page.script(full))
    expect(states == [True, False], f"F11: the browser's full screen and back ({states})")
    page.collect_errors()

    # Taps: one click each; a touch the system cancels clicks nothing and
    # leaves no finger down.
    page.open(url, PAGE, 1, touch=True)
    spot = desktop.controls()["start"]["susumu"]
    page.touch(spot["x"], spot["y"])
    page.touch(spot["x"], spot["y"], cancelled=True)
    page.touch(spot["x"], spot["y"])
    # χ and the board tell the steps; the tapped button itself stays lit
    # as the toolkit lights a button under a finger.
    board = desktop.controls()["start"]["board"]
    bad = wait_for_state(page, desktop.picture("tapped"), "tapped", 5, shots,
                         ((0, 0, PAGE[0], board["top"]), (0, 0, board["right"], PAGE[1])))
    expect(bad == 0, f"two taps on 進む, a cancelled touch between: two steps ({bad} differ)")
    page.collect_errors()


LAYER_BOXES = """return Object.fromEntries([...document.querySelectorAll(
    '#kansu-layer [role]:not([role=note]):not([hidden])')].map((e) => {
        const r = e.getBoundingClientRect();
        return [e.getAttribute('aria-label'), [r.x, r.y, r.width, r.height]]; }));"""
FOCUSED = """const e = document.activeElement;
    return document.getElementById('kansu-layer').contains(e) ? e.getAttribute('aria-label') : null;"""


def check_readers(page, url, desktop, expect):
    """The page's layer for screen readers, as Chromium's accessibility tree
    shows it to them: the controls by name, role and state, each over its
    control, the page's focus on the lesson's focused control, a press on
    one pressing the lesson's control, and the live region saying what
    changed."""
    page.open(url)

    def tree():
        found = {}
        for node in page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]:
            if node.get("ignored"):
                continue
            role = node.get("role", {}).get("value")
            name = node.get("name", {}).get("value", "")
            states = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            found[(role, name)] = states
        return found

    nodes = tree()
    for role, name in (("button", "進む"), ("button", "自動"), ("checkbox", "方眼"),
                       ("combobox", "速度"), ("image", "黒板"), ("radiogroup", "ｙの選択"),
                       ("radio", "青"), ("textbox", "青い正方形の１辺の長さχ（cm）"),
                       ("main", ""), ("heading", "４.関数")):
        expect((role, name) in nodes, f"screen readers find the {role} {name}")
    expect(nodes.get(("button", "ストップ"), {}).get("disabled") is True,
           "ストップ is disabled for them while no run goes")
    page.script("""document.querySelector('#kansu-layer [role=button][aria-label="進む"]').click();""")
    told = wait_until(lambda: page.script(
        "return document.querySelector('#kansu-told').textContent;"))
    expect(told == "χ = 0.5 cm", f"a press on their 進む steps, and the live region says {told!r}")
    spot = desktop.controls()["start"]["Check1"]
    page.click(spot["x"], spot["y"])
    expect(wait_until(lambda: tree().get(("checkbox", "方眼"), {}).get("checked") == "true"),
           "方眼 ticked on the canvas is checked for them")
    focused = wait_until(lambda: page.script(FOCUSED))
    expect(focused == "方眼", f"the page's focus is on the pressed control's element ({focused})")
    visited = []
    for _ in range(16):
        page.keys("\ue004")  # Tab, which the lesson takes
        visited.append(page.script(FOCUSED))
    expect({"進む", "戻る", "自動", "初期画面", "表", "グラフ", "終了", "速度"} <= set(visited),
           f"Tab takes the page's focus from control to control ({visited})")
    page.collect_errors()

    # Each element lies over its control, at any page size.
    for size in (PAGE, (768, 960)):
        page.open(url, size)
        boxes = page.script(LAYER_BOXES)
        controls = [c for c in desktop.controls(size)["start"].values() if "rect" in c]
        off = [(c["name"], boxes.get(c["name"]), c["rect"]) for c in controls
               if not boxes.get(c["name"]) or
               max(abs(a - b) for a, b in zip(boxes[c["name"]], c["rect"])) > 1]
        expect(len(controls) == 11 and not off,
               f"{size[0]} x {size[1]}: each of {len(controls)} elements over its control ({off})")
    page.collect_errors()


def check_touch(page, url, desktop, expect):
    """A tap 20 CSS px below 赤, on the bare window, chooses 赤; two fingers
    spread from 進む enlarge the lesson, pinched they shrink it back, and
    neither presses anything."""
    page.open(url, PAGE, 1, touch=True)
    x, y, width, height = desktop.controls()["start"]["Option1_0"]["rect"]
    page.touch(x + width // 2, y + height + 20)
    red = """return document.querySelector(
        '#kansu-layer [role=radio][aria-label="赤"]').getAttribute('aria-checked');"""
    expect(wait_until(lambda: page.script(red) == "true"), "a tap 20 CSS px below 赤 chooses it")

    forward = desktop.controls()["start"]["susumu"]

    def widths():
        return wait_until(lambda: page.script(LAYER_BOXES).get("進む", [0] * 4)[2])

    fitted = widths()
    page.pinch(forward["x"], forward["y"], [20, 60, 100, 140])
    enlarged = wait_until(lambda: widths() > 1.5 * fitted and widths())
    page.pinch(forward["x"], forward["y"], [140, 100, 60, 20, 10], first_alone=False)
    shrunk = wait_until(lambda: widths() == fitted and widths())
    chi = page.script("return document.querySelector('#kansu-layer [role=textbox]').textContent;")
    expect(enlarged and shrunk and chi.strip() == "0.0",
           f"a spread enlarges the lesson, a pinch shrinks it back (進む {fitted} → {enlarged} → "
           f"{shrunk} px wide), and χ stays {chi!r}")
    page.collect_errors()


TOLD = "return document.querySelector('#kansu-told').textContent;"
HEARD = """
    window.kansuHeard = {tones: 0, said: [], voice: !!window.speechSynthesis};
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...when) {
        kansuHeard.tones += 1;
        return start.apply(this, when);
    };
    if (kansuHeard.voice) {
        const speak = speechSynthesis.speak.bind(speechSynthesis);
        speechSynthesis.speak = (utterance) => {
            kansuHeard.said.push(utterance.text);
            speak(utterance);
        };
    }
    return true;"""


def check_hearing(page, url, desktop, expect):
    """With 音 on a step starts a tone in the page's audio graph; with
    読み上げ on the browser's speech, where it has one, says the step's
    description once; F1 tells readers the list of keys."""
    page.open(url)
    page.script(HEARD)
    controls = desktop.controls(page.size())["start"]
    page.click(controls["Option1_1"]["x"], controls["Option1_1"]["y"])
    page.keys("o", "y")
    before = wait_until(lambda: page.script("return kansuHeard.tones;"))
    page.click(controls["susumu"]["x"], controls["susumu"]["y"])
    after = wait_until(lambda: page.script("return kansuHeard.tones;") > before and
                       page.script("return kansuHeard.tones;"))
    expect(before and after,
           f"{page.name}: a step with 音 on starts a tone ({before} → {after} started)")
    step = "χ = 0.5 cm、青い正方形の面積 ｙ = 0.25 cm²"
    if page.script("return kansuHeard.voice;"):
        wait_until(lambda: step in page.script("return kansuHeard.said;"))
        said = page.script("return kansuHeard.said;")
        expect(said.count(step) == 1, f"{page.name}: 読み上げ says the step once: {said}")
    else:
        print(f"{page.name} has no speech synthesis: 読み上げ says nothing there")
    page.keys("\ue031")  # F1
    told = wait_until(lambda: "O：音" in page.script(TOLD) and page.script(TOLD))
    expect(told and told.startswith("キー一覧"),
           f"{page.name}: F1 tells readers the list of keys ({told!r})")
    page.keys("\ue00c")  # Esc
    page.collect_errors()


AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node", "node_modules", "axe-core",
                   "axe.min.js")
TABLET = ("Mozilla/5.0 (iPad; CPU OS 17_5 like Mac OS X) AppleWebKit/605.1.15 "
          "(KHTML, like Gecko) Version/17.5 Mobile/15E148 Safari/604.1")


def axe_violations(page):
    """axe-core's serious and critical violations on the page as it is."""
    with open(AXE) as f:
        page.script(f.read())
    found = page.driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        axe.run(document).then((r) => done(r.violations.map((v) => [v.id, v.impact,
            v.nodes.map((n) => n.target.join(' ')).join(', ')])), (e) => done([['error', String(e), '']]));""")
    return [v for v in found if v[1] in ("serious", "critical", "error")]


def check_axe(page, url, desktop, expect):
    """No serious or critical violation of axe-core's rules: with a mouse,
    and on a touch tablet (whose text field for the on-screen keyboard the
    toolkit puts in the page), also with both panels shown."""
    own = page.script("return navigator.userAgent;")
    for touch in (False, True):
        agent = TABLET if touch else own
        page.driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": agent})
        page.open(url, PAGE, 1, touch=touch)
        controls = desktop.controls()
        page.click(controls["start"]["Check2"]["x"], controls["start"]["Check2"]["y"])
        page.click(controls["lesson"]["Check3"]["x"], controls["lesson"]["Check3"]["y"])
        page.click(controls["panels"]["Text1"]["x"], controls["panels"]["Text1"]["y"])
        found = axe_violations(page)
        what = "a touch tablet" if touch else "a mouse"
        expect(not found, f"axe-core, with {what}: no serious or critical violation {found}")
    page.driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": own})
    page.collect_errors()


def check_offline(page, site, desktop, shots, expect):
    """Installable, and after one visit the lesson opens with no server."""
    server = serve(site)
    url = f"http://127.0.0.1:{server.server_address[1]}/kansu.html"
    page.open(url)
    manifest = page.driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        fetch('manifest.webmanifest').then((r) => r.json()).then(done, (e) => done(String(e)));""")
    expect(isinstance(manifest, dict) and manifest.get("name") == "４.関数"
           and manifest.get("lang") == "ja", f"the manifest names the lesson ({manifest!r:.80})")
    errors = page.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
    expect(not errors.get("installabilityErrors"),
           f"Chromium can install the page ({errors.get('installabilityErrors')})")
    kept = page.driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        navigator.serviceWorker.ready.then(() => caches.keys()).then((names) => done(names),
                                                                   (e) => done(String(e)));""")
    expect(bool(kept) and all(name.startswith("kansu-") for name in kept),
           f"the site is kept ({kept})")
    server.shutdown()
    server.server_close()
    page.driver.refresh()
    page.painted()
    bad = wait_for_state(page, desktop.picture("start"), "offline", 5, shots)
    expect(bad == 0, f"with the server gone, a reload opens the lesson ({bad} pixels differ)")
    page.collect_errors()
    # The next pages start without the kept site and its worker.
    page.driver.execute_cdp_cmd("Storage.clearDataForOrigin", {
        "origin": url.rsplit("/", 1)[0], "storageTypes": "service_workers,cache_storage"})


def first_visit(page, site):
    """A first visit to the site served as a school serves it, until the
    worker keeps it: what the server sent, file by file."""
    with tempfile.TemporaryDirectory() as state:
        server = SchoolServer(site, state)
        try:
            page.driver.execute_cdp_cmd("Network.enable", {})
            page.driver.execute_cdp_cmd("Network.clearBrowserCache", {})
            page.open(server.url)
            page.driver.execute_async_script("""
                const done = arguments[arguments.length - 1];
                navigator.serviceWorker.ready.then(() => done(true), () => done(false));""")
            answers = server.answers()
        finally:
            server.close()
        page.driver.execute_cdp_cmd("Storage.clearDataForOrigin", {
            "origin": server.url.rsplit("/", 1)[0],
            "storageTypes": "service_workers,cache_storage"})
    return answers


def sent_once(answers, site):
    """The bytes sent, and the least a first visit can cost: each file once,
    in the encoding the server chose for it."""
    least = 0
    for path, status, _, encoding in answers:
        if status == 200:
            name = path.lstrip("/") + {"br": ".br", "gzip": ".gz"}.get(encoding, "")
            least += os.path.getsize(os.path.join(site, name))
    return sum(sent for _, _, sent, _ in answers), least


def check_transfer(page, site, expect):
    """On a first visit every file crosses the network once, the worker's
    keeping of the site included, with its compressed copy."""
    answers = first_visit(page, site)
    whole = [path for path, status, _, _ in answers if status == 200]
    repeated = sorted({path for path in whole if whole.count(path) > 1})
    expect(not repeated, f"a first visit fetches each file once (again: {repeated})")
    kept = {name for name in os.listdir(site) if not name.endswith((".gz", ".br"))}
    expect({path.lstrip("/") for path in whole} == kept, "the worker keeps every file of the site")
    encodings = {encoding for path, status, _, encoding in answers if path.endswith(".wasm")}
    expect(encodings & {"br", "gzip"}, f"the program is sent compressed ({encodings})")
    sent, least = sent_once(answers, site)
    expect(sent <= 1.05 * least, f"bytes sent {sent} for a site of {least} as sent")


def check_single_file(page, single, desktop, shots, expect):
    """The lesson as one file, opened from the disk."""
    if not single or not os.path.exists(single):
        expect(False, f"the single file was built ({single})")
        return
    expect(page.open("file://" + os.path.abspath(single)), "the single file opens from the disk")
    bad = wait_for_state(page, desktop.picture("start"), "single", 5, shots)
    expect(bad == 0, f"the single file: the desktop's pixels ({bad} differ)")
    spot = desktop.controls()["start"]["susumu"]
    page.click(spot["x"], spot["y"])
    page.click(spot["x"], spot["y"])
    bad = wait_for_state(page, desktop.picture("tapped"), "single-steps", 5, shots)
    expect(bad == 0, f"the single file: two steps ({bad} differ)")
    page.collect_errors()


def check(pages, url, site, desktop, shots, single=None):
    expect = Expectations()
    for page in pages:
        check_lesson(page, url, desktop, shots, expect)
        check_hearing(page, url, desktop, expect)
        if isinstance(page, Chromium):
            check_screens(page, url, desktop, shots, expect)
            check_readers(page, url, desktop, expect)
            check_touch(page, url, desktop, expect)
            check_axe(page, url, desktop, expect)
            check_offline(page, site, desktop, shots, expect)
            check_transfer(page, site, expect)
            check_single_file(page, single, desktop, shots, expect)
        for error in page.errors:
            print(f"console ({page.name}):", error)
        expect(not page.errors, f"{page.name}: no error in the console")
    print(f"pictures in {shots}")
    return 1 if expect.failures else 0


def site_size(site):
    """The site's files, and what they weigh compressed as the build wrote
    them beside each file (gzip and brotli)."""
    raw = gzipped = brotli = 0
    for name in os.listdir(site):
        if name.endswith((".gz", ".br")):
            continue
        raw += os.path.getsize(os.path.join(site, name))
        for suffix in (".gz", ".br"):
            packed = os.path.join(site, name + suffix)
            size = os.path.getsize(packed) if os.path.exists(packed) else 0
            if suffix == ".gz":
                gzipped += size
            else:
                brotli += size
    return raw, gzipped, brotli


PRESSES = """
    const [x, y, count] = arguments;
    const canvas = document.querySelector('#screen');
    const send = (type, buttons) => canvas.dispatchEvent(new PointerEvent(type, {
        clientX: x, clientY: y, button: 0, buttons, pointerId: 1, pointerType: 'mouse',
        isPrimary: true, bubbles: true, cancelable: true}));
    const start = performance.now();
    for (let i = 0; i < count; ++i) {
        send('pointerdown', 1);
        send('pointerup', 0);
    }
    return (performance.now() - start) / count;"""


def report_engine(page, url, desktop, sizes):
    """Time to the first painted window, and presses timed from the press to
    the end of its handling: the toolkit handles a pointer event before
    dispatchEvent returns. On 進む that is a step (and the button's own
    repaint, pressed and released); on the window's bare background only
    the toolkit's handling of it. Twenty presses are timed together, as
    some engines' clocks count in whole milliseconds."""
    loads = []
    for _ in range(4):
        if not page.open(url, sizes[0]):
            print(f"{page.name}: no window painted within 60 s")
            return 1
        loads.append(page.script(
            "return performance.getEntriesByName('kansu-window-painted')[0].startTime;"))
    # The first from the server, the others from what the worker kept.
    print(f"{page.name}: first_window_ms {loads[0]:.0f}  (a first visit; goal <= 400)")
    print(f"{page.name}: kept_window_ms {statistics.median(loads[1:]):.0f}  "
          "(median of 3 later visits, from the worker's copy; goal <= 250)")
    for size in sizes:
        page.open(url, size)
        size = page.size()
        controls = desktop.controls(size)["start"]
        bare = [page.script(PRESSES, 2, size[1] // 2, 20) for _ in range(3)]
        steps = []
        for _ in range(5):  # five times to 10 cm and back
            steps.append(
                page.script(PRESSES, controls["susumu"]["x"], controls["susumu"]["y"], 20))
            page.script(PRESSES, controls["modoru"]["x"], controls["modoru"]["y"], 20)
        where = f"{size[0]} x {size[1]} page"
        print(f"{page.name}: step_ms {statistics.median(steps):.2f}  (median of 5 times 20 "
              f"forward steps, {where}; goal <= 1.5)")
        print(f"{page.name}: press_ms {statistics.median(bare):.2f}  "
              f"(a press on the bare window, {where})")
    return 0


def first_paint(page, url, fresh):
    """Milliseconds to the first painted window; a fresh visit with an empty
    cache and no worker for the page's origin."""
    if fresh:
        page.driver.execute_cdp_cmd("Network.clearBrowserCache", {})
        page.driver.execute_cdp_cmd("Storage.clearDataForOrigin", {
            "origin": url.rsplit("/", 1)[0], "storageTypes": "service_workers,cache_storage"})
        page.driver.get("about:blank")
    page.open(url)
    painted = page.script(
        "return performance.getEntriesByName('kansu-window-painted')[0].startTime;")
    # The next visit once a worker the page registered keeps the site.
    page.driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        setTimeout(() => navigator.serviceWorker.getRegistration().then((r) =>
            r ? navigator.serviceWorker.ready.then(() => done()) : done(), () => done()), 100);""")
    return painted


def report_start(page, url, floor):
    """The lesson's first paint against the floor page's, alternated in one
    run: a first visit and a second."""
    server = serve(floor)
    floor_url = f"http://127.0.0.1:{server.server_address[1]}/kansu.html"
    times = {(which, visit): [] for which in ("lesson", "floor") for visit in ("first", "second")}
    try:
        page.driver.execute_cdp_cmd("Network.enable", {})
        for _ in range(5):
            for which, address in (("lesson", url), ("floor", floor_url)):
                times[(which, "first")].append(first_paint(page, address, True))
                times[(which, "second")].append(first_paint(page, address, False))
    finally:
        server.shutdown()
    goals = {"first": 1.2, "second": 1.1}
    for visit in ("first", "second"):
        lesson = statistics.median(times[("lesson", visit)])
        base = statistics.median(times[("floor", visit)])
        print(f"{page.name}: {visit}_visit_vs_floor {lesson / base:.2f}  ({lesson:.0f} ms / "
              f"{base:.0f} ms, medians of 5 alternated; goal <= {goals[visit]})")


def report(pages, url, site, desktop, floor=None):
    raw, gzipped, brotli = site_size(site)
    print(f"site_mb {raw / 1e6:.2f}  (goal <= 10)")
    print(f"site_gzip_mb {gzipped / 1e6:.2f}")
    print(f"site_brotli_mb {brotli / 1e6:.2f}  (transferred on a first visit; goal <= 3.0)")
    if floor:
        report_start(pages[0], url, floor)
    sent, least = sent_once(first_visit(pages[0], site), site)
    print(f"first_visit_sent_mb {sent / 1e6:.2f}  ({sent / least:.3f} x the site as sent, "
          "Chromium from nginx, the worker's keeping included; goal <= 1.05)")
    # Chromium also on a page of the window's designed size: the lesson at
    # zoom 1. The other engines at their window's page.
    failed = 0
    for page in pages:
        sizes = [PAGE, DESIGNED] if isinstance(page, Chromium) else [None]
        failed |= report_engine(page, url, desktop, sizes)
    return failed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--desktop-shots", help="the program that takes the desktop's pictures")
    parser.add_argument("--single", help="the lesson as one HTML file")
    parser.add_argument("--report", action="store_true")
    parser.add_argument("--floor", help="the floor page's site, for --report")
    parser.add_argument("--keep", help="a folder to keep the pictures in")
    args = parser.parse_args()

    if not os.path.exists(os.path.join(args.site, "kansu.html")):
        skip(f"no WebAssembly build in {args.site}: scripts/web makes it")
    for program in ("chromium", "chromedriver"):
        if not shutil.which(program):
            skip(f"{program} is not installed: scripts/web installs it")
    try:
        import PIL  # noqa: F401
        import selenium  # noqa: F401
    except ImportError as missing:
        skip(f"{missing.name} is not installed: scripts/web installs it")

    shots = args.keep or tempfile.mkdtemp(prefix="kansu-browser-")
    os.makedirs(shots, exist_ok=True)
    desktop = Desktop(args.desktop_shots, shots)
    server = serve(args.site)
    url = f"http://127.0.0.1:{server.server_address[1]}/kansu.html"
    display = None
    pages = [Chromium()]
    try:
        display = own_display()
        if os.path.exists(WebKit.BROWSER) and shutil.which("WebKitWebDriver"):
            pages.append(WebKit())
        else:
            print("WebKit: not installed (webkit2gtk-driver), left out")
        modules = os.path.join(os.path.dirname(Firefox.BRIDGE), "node_modules")
        if shutil.which("firefox-esr") and shutil.which("node") and os.path.isdir(modules):
            pages.append(Firefox())
        else:
            print("Firefox: not installed (firefox-esr, and npm ci in tests/web/node), left out")
        if args.report:
            return report(pages, url, args.site, desktop, args.floor)
        return check(pages, url, args.site, desktop, shots, args.single)
    finally:
        for page in pages:
            page.close()
        server.shutdown()
        if display:
            display.terminate()
            display.wait()


if __name__ == "__main__":
    sys.exit(main())
