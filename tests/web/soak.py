#!/usr/bin/python3
"""An hour of automatic runs back to back in the page, for the reliability
report (not a test): the page's JavaScript heap and the program's memory
sampled every minute; halfway, the tab hidden during a run and shown again;
at the end, a reload in the middle of a run.

Usage: soak.py --site build-web/site --desktop-shots build/tests/kansu_desktopshots
               [--minutes 60]
"""

import argparse
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser_test  # noqa: E402
import engines  # noqa: E402

MEMORY = """return [performance.memory ? performance.memory.usedJSHeapSize : 0,
                    kansuLoader.module().HEAP8.length];"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--desktop-shots", required=True)
    parser.add_argument("--minutes", type=float, default=60)
    args = parser.parse_args()

    shots = tempfile.mkdtemp(prefix="kansu-soak-")
    desktop = browser_test.Desktop(args.desktop_shots, shots)
    controls = desktop.controls()
    server = engines.serve(args.site)
    url = f"http://127.0.0.1:{server.server_address[1]}/kansu.html"
    page = engines.Chromium()

    def click(state, name):
        page.click(controls[state][name]["x"], controls[state][name]["y"])

    try:
        if not page.open(url):
            print("no window painted")
            return 1
        click("start", "Check2")
        click("lesson", "Check3")
        click("panels", "Combo1")
        page.keys("\ue010", "\ue003", "\ue003", "0", "1")  # speed 01
        start = time.monotonic()
        samples = []
        presses = 0
        hidden_checked = False
        while time.monotonic() - start < args.minutes * 60:
            click("panels", "jidou")  # starts a run once the last one is over
            presses += 1
            time.sleep(1.0)
            minute = int((time.monotonic() - start) // 60)
            if len(samples) <= minute:
                heap, program = page.script(MEMORY)
                samples.append((minute, heap / 1e6, program / 1e6))
                print(f"minute {minute:3d}: JS heap {heap / 1e6:6.2f} MB, "
                      f"program {program / 1e6:6.2f} MB", flush=True)
            if not hidden_checked and time.monotonic() - start > args.minutes * 30:
                # Another tab in front during a run, for ten seconds.
                hidden_checked = True
                click("panels", "jidou")
                first = page.driver.current_window_handle
                page.driver.switch_to.new_window("tab")
                hidden = page.script("return 1;")
                time.sleep(10)
                page.driver.close()
                page.driver.switch_to.window(first)
                state = page.script("return document.visibilityState;")
                time.sleep(3)
                image = page.screenshot()
                image.save(os.path.join(shots, "after-hidden.png"))
                print(f"tab hidden for 10 s during a run ({hidden}); shown again: {state}; "
                      f"picture in {shots}/after-hidden.png", flush=True)
        # A reload in the middle of a run starts cleanly.
        click("panels", "jidou")
        time.sleep(0.2)
        page.driver.refresh()
        page.painted()
        bad = browser_test.wait_for_state(page, desktop.picture("start"), "reloaded", 5, shots)
        page.collect_errors()
        print(f"reload during a run: the start's pixels ({bad} differ)")
        heaps = [s[1] for s in samples[1:]] or [0]
        programs = [s[2] for s in samples[1:]] or [0]
        print(f"soak: {args.minutes:.0f} min, {presses} presses of 自動; JS heap "
              f"{min(heaps):.2f}-{max(heaps):.2f} MB (median {statistics.median(heaps):.2f}); "
              f"program {min(programs):.2f}-{max(programs):.2f} MB; "
              f"console errors {len(page.errors)}")
        return 0
    finally:
        page.close()
        server.shutdown()


if __name__ == "__main__":
    sys.exit(main())
