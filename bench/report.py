#!/usr/bin/env python3
"""Runs the benchmarks side by side and prints a table and the summary line."""
import json
import os
import statistics
import subprocess
import sys
import time

build = sys.argv[1]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
bench = lambda name: os.path.join(build, "bench", name)


def key_values(text):
    return {k: float(v) for k, v in (line.split("=", 1) for line in text.split() if "=" in line)}


# Flood fill: medians of repeated runs, ours against CImg.
fill = subprocess.run([bench("bench_fill"), "--benchmark_format=json",
                       "--benchmark_repetitions=15", "--benchmark_report_aggregates_only=true",
                       "--benchmark_min_time=0.2"],
                      env=env, check=True, capture_output=True, text=True)
to_us = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
medians = {b["run_name"]: b["real_time"] * to_us[b["time_unit"]]
           for b in json.loads(fill.stdout)["benchmarks"] if b.get("aggregate_name") == "median"}
unit = "us"
ours_frame, peer_frame = medians["ours/frame/manual_time"], medians["peer/frame/manual_time"]
ours_l, peer_l = medians["ours/lshape/manual_time"], medians["peer/lshape/manual_time"]
fill_ratio = (ours_frame + ours_l) / (peer_frame + peer_l)

# Start-up to the first paint, alternating the two programs.
samples = {"kansu": [], "empty": [], "label": []}
for _ in range(25):
    for which in samples:
        start = time.perf_counter()
        subprocess.run([bench("bench_startup"), which], env=env, check=True,
                       capture_output=True)
        samples[which].append(time.perf_counter() - start)
startup = {k: statistics.median(v) * 1000 for k, v in samples.items()}
startup_ratio = startup["kansu"] / startup["empty"]

# The same start-up counted in instructions by callgrind, which repeats
# exactly on a noisy machine: from the start to the end of the first paint
# (the program stops the count there).
def instructions(which):
    out = os.path.join(build, f"callgrind.{which}.out")
    subprocess.run(["valgrind", "--tool=callgrind", "--collect-atstart=yes",
                    f"--callgrind-out-file={out}", bench("bench_startup"), which],
                   env=env, check=True, capture_output=True)
    with open(out) as f:
        return next(int(line.split()[1]) for line in f if line.startswith("summary:")) / 1e6


instr = {which: instructions(which) for which in ("kansu", "empty", "label")}
instr_ratio = instr["kansu"] / instr["empty"]

rss = key_values(subprocess.run([bench("bench_startup"), "kansu", "lesson"], env=env, check=True,
                                capture_output=True, text=True).stdout)["peak_rss_kb"] / 1024

# On a projector's screen, for the zoomed figures.
screen = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                      "projector-screen.json")
projector = dict(env, QT_QPA_PLATFORM=f"offscreen:configfile={screen}")
lesson = key_values(subprocess.run([bench("bench_lesson")], env=projector, check=True,
                                   capture_output=True, text=True).stdout)
zoom3 = key_values(subprocess.run([bench("bench_lesson"), "zoom3"], env=projector, check=True,
                                  capture_output=True, text=True).stdout)
zoom3_rss = zoom3["peak_rss_kb"] / 1024

# Heard: a step with the tone against one without; a press to the tone's
# first sample pulled by the audio device (none on a machine without one).
hearing = key_values(subprocess.run([bench("bench_hearing")], env=env, check=True,
                                    capture_output=True, text=True).stdout)
sound_ratio = hearing["step_sounding_ms"] / hearing["step_quiet_ms"]

rows = [
    ("step, median (ms)", lesson["step_median_ms"], "<= 0.5"),
    ("step, handler alone, median (ms)", lesson["handler_median_ms"], ""),
    ("step, p99 (ms)", lesson["step_p99_ms"], ""),
    ("step, max (ms)", lesson["step_max_ms"], ""),
    (f"fill whole frame, ours ({unit})", ours_frame, ""),
    (f"fill whole frame, CImg ({unit})", peer_frame, ""),
    (f"fill L-shape, ours ({unit})", ours_l, ""),
    (f"fill L-shape, CImg ({unit})", peer_l, ""),
    ("fill ours / CImg", fill_ratio, "<= 1.0"),
    ("start-up to first paint, kansu (ms)", startup["kansu"], ""),
    ("start-up to first paint, empty window (ms)", startup["empty"], ""),
    ("start-up to first paint, empty window with one label (ms)", startup["label"], ""),
    ("start-up kansu / empty", startup_ratio, "<= 1.3"),
    ("start-up kansu / window with one label", startup["kansu"] / startup["label"], ""),
    ("start-up instructions to first paint, kansu (M)", instr["kansu"], ""),
    ("start-up instructions to first paint, empty window (M)", instr["empty"], ""),
    ("start-up instructions to first paint, window with one label (M)", instr["label"], ""),
    ("start-up instructions kansu / empty", instr_ratio, "<= 3.5"),
    ("start-up instructions kansu / window with one label", instr["kansu"] / instr["label"], ""),
    ("peak RSS, start-up and a whole lesson (MB)", rss, "<= 60"),
    ("pause overshoot at \"01\", max (ms)", lesson["pause_over_max_ms"], "<= 2"),
    ("pause overshoot at \"01\", mean (ms)", lesson["pause_over_mean_ms"], ""),
    ("run at \"20\": CPU / wall (%)", lesson["run_cpu_pct"], "<= 2"),
    ("step at zoom 2, both panels and grid, median (ms)", lesson["step_zoom2_ms"], "<= 1.0"),
    ("full screen from zoom 2 to the first complete repaint (ms)", lesson["zoom_ms"], "<= 50"),
    ("step at zoom 3, median (ms)", zoom3["step_zoom3_ms"], ""),
    ("peak RSS, a lesson at zoom 3 (MB)", zoom3_rss, "<= 60"),
    ("step with 音 on / off, alternated", sound_ratio, "<= 1.2"),
]
if hearing.get("audio_device"):
    rows += [("press to the tone asked for, median (ms)", hearing["press_to_ask_ms"], ""),
             ("tone asked to first sample pulled, median (ms)", hearing["ask_to_pull_ms"], ""),
             ("press to first sample pulled, median (ms)",
              hearing["press_to_ask_ms"] + hearing["ask_to_pull_ms"], "<= 30"),
             ("tone asked to first sample pulled, max (ms)", hearing["ask_to_pull_max_ms"], ""),
             ("the same, the first tone, which opens the stream (ms)",
              hearing["first_ask_to_pull_ms"], "")]
else:
    print("no audio device: the tone's way to the device is not measured")
print(f"{'figure':58} {'value':>10}  goal")
for name, value, goal in rows:
    print(f"{name:58} {value:10.3f}  {goal}")
print(f"bench: step_ms={lesson['step_median_ms']:.3f} fill_vs_peer={fill_ratio:.3f} "
      f"startup_vs_empty={startup_ratio:.3f} startup_instr_vs_empty={instr_ratio:.3f} "
      f"rss_mb={rss:.1f} "
      f"pause_over_ms={lesson['pause_over_max_ms']:.3f} run_cpu_pct={lesson['run_cpu_pct']:.2f} "
      f"step_zoom2_ms={lesson['step_zoom2_ms']:.3f} zoom_ms={lesson['zoom_ms']:.1f} "
      f"zoom3_rss_mb={zoom3_rss:.1f} sound_step_ratio={sound_ratio:.3f}")
