#!/usr/bin/python3
"""The slideshow's show step against tickwell-resample; run by slideshow-bench.sh.

In every round tickwell-resample decodes and fits the baseline photograph to 1820 x 980 as a
process of its own (wall time of the whole process), then the program's main window, running
all along, shows the same file once (tick to picture on the screen) and closes it. The ratio of
the two is taken round by round, so a slow spell of the machine slows both sides of it. The
program's resident memory is read at idle, after start-up, and after every close."""

import argparse
import os
import statistics
import subprocess
import time
from pathlib import Path

ROUNDS = 11
LIMIT = "1820x980"


def make_photo(data):
    """The 6000 x 4000 baseline photograph, made as resample-bench.sh makes it."""
    jpeg = data / "photo-6000x4000.jpg"
    ppm = data / "photo-6000x4000.ppm"
    if not ppm.exists():
        subprocess.run(["convert", "-size", "1500x1000", "-seed", "7", "plasma:fractal",
                        "-resize", "6000x4000!", "-attenuate", "0.6", "+noise", "Gaussian",
                        "-blur", "0x0.7", "-depth", "8", str(ppm)], check=True)
    if not jpeg.exists():
        subprocess.run(["cjpeg", "-quality", "90", "-outfile", str(jpeg), str(ppm)], check=True)
    return jpeg


def tool_ms(tool, photo):
    start = time.perf_counter()
    subprocess.run([tool, str(photo), "/dev/null", "--fit", LIMIT], check=True)
    return (time.perf_counter() - start) * 1000


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--bench", required=True)
    parser.add_argument("--data", required=True, type=Path)
    args = parser.parse_args()
    args.data.mkdir(parents=True, exist_ok=True)
    photo = make_photo(args.data)

    print("Load average at the start: %.2f %.2f %.2f" % os.getloadavg())
    bench = subprocess.Popen([args.bench, str(photo)], stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, text=True)
    idle = int(bench.stdout.readline().split()[1])
    tool, shows, ratios, resident = [], [], [], []
    # Where the show's time went: the show step, the wait for the window on the screen, the
    # paint and its transfer, the X server's taking of it.
    phases = {"show step (decode, fit, hand over)": [], "window mapped and exposed": [],
              "painted and sent": [], "taken by the X server": []}
    # One warm-up round of each, then the rounds that count.
    for round_index in range(ROUNDS + 1):
        tool_time = tool_ms(args.tool, photo)
        bench.stdin.write("show\n")
        bench.stdin.flush()
        _, show_time, kib, ready, exposed, drawn = bench.stdout.readline().split()
        if round_index == 0:
            continue
        marks = [0.0, float(ready), float(exposed), float(drawn), float(show_time)]
        for (name, values), start, end in zip(phases.items(), marks, marks[1:]):
            values.append(end - start)
        tool.append(tool_time)
        shows.append(float(show_time))
        ratios.append(float(show_time) / tool_time)
        resident.append(int(kib))
    bench.stdin.close()
    bench.wait()

    ratios.sort()
    quarter = len(ratios) // 4
    print(f"6000 x 4000 photograph fitted to {LIMIT} on a 1920 x 1080 screen, {ROUNDS} rounds"
          f" ({os.cpu_count()} cores), medians:")
    print(f"  tickwell-resample --fit, whole process:   {statistics.median(tool):7.1f} ms")
    print(f"  slideshow tick to picture on the screen:  {statistics.median(shows):7.1f} ms")
    print(f"  show / tool, paired by round:             {statistics.median(ratios):7.2f}x"
          f" (middle half {ratios[quarter]:.2f}-{ratios[-1 - quarter]:.2f}x; goal: at most 1.2x)")
    for name, values in phases.items():
        print(f"    {name + ':':38} {statistics.median(values):7.1f} ms")
    above = [(kib - idle) / 1024 for kib in resident]
    print(f"  resident memory idle:                     {idle / 1024:7.1f} MiB")
    print(f"  after each close, above idle:             {statistics.median(above):7.1f} MiB"
          f" (largest {max(above):.1f} MiB; goal: at most 5 MB)")
    print("Load average at the end: %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
