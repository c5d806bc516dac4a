#!/usr/bin/python3
"""Times tickwell-resample against other tools on the same pictures; run by resample-bench.sh.

Two measures, each the median of several runs after one warm-up run:
- the whole step: decode a JPEG file and fit it to 1820 x 980 (for every command-line tool the
  time of the whole process; for Pillow, open + decode + resize inside Python);
- the resample alone, from a picture already decoded into memory.
The whole step is also given in CPU time, which other work on a shared machine disturbs less.
The goals against djpeg are judged from paired runs: tickwell-resample and djpeg run one after
the other in every round, so a slow spell of the machine slows both sides of each ratio.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from PIL import Image

# Image.LANCZOS became Image.Resampling.LANCZOS in Pillow 9.1.
LANCZOS = getattr(Image, "Resampling", Image).LANCZOS
RUNS = 5
PAIRED_ROUNDS = 15
LIMIT = (1820, 980)
CORES = os.cpu_count() or 1


def fit_size(width, height, limit_width, limit_height):
    """The program's fit rule; Python's round() also takes ties to even."""
    w, h = width, height
    if w >= limit_width:
        ratio = w / limit_width
        w, h = limit_width, max(round(h / ratio), 1)
    if h >= limit_height:
        ratio = h / limit_height
        h, w = limit_height, max(round(w / ratio), 1)
    return w, h


def run(command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def timed(command):
    """Wall and CPU (user + system) seconds of one run of a command."""
    start = time.perf_counter()
    with subprocess.Popen(command, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL) as process:
        _, status, usage = os.wait4(process.pid, 0)
        process.returncode = os.waitstatus_to_exitcode(status)
    wall = time.perf_counter() - start
    if process.returncode != 0:
        raise subprocess.CalledProcessError(process.returncode, command)
    return wall, usage.ru_utime + usage.ru_stime


def median_ms(measure):
    """Medians of RUNS calls of measure() after a warm-up call, in milliseconds. measure()
    gives seconds, or a tuple of seconds (wall, CPU) whose medians are taken one by one."""
    measure()
    results = [measure() for _ in range(RUNS)]
    if isinstance(results[0], tuple):
        return tuple(statistics.median(r[i] for r in results) * 1000
                     for i in range(len(results[0])))
    return statistics.median(results) * 1000


def process_ms(command):
    """Median wall milliseconds of a command."""
    return median_ms(lambda: timed(command)[0])


def process_wall_and_cpu_ms(command):
    return median_ms(lambda: timed(command))


class Picture:
    def __init__(self, data, label, width, height, progressive):
        self.label = label
        self.width, self.height = width, height
        stem = f"photo-{width}x{height}" + ("-progressive" if progressive else "")
        self.jpeg = data / f"{stem}.jpg"
        self.vips = data / f"{stem}.v"
        self.magick = data / f"{stem}.mpc"
        self.progressive = progressive
        self.size = fit_size(width, height, *LIMIT)

    def make(self, data):
        ppm = data / f"photo-{self.width}x{self.height}.ppm"
        if not ppm.exists():
            # Photograph-like content: a plasma fractal for shapes and colour, enlarged, with
            # grain and a slight blur, as a camera gives it.
            run(["convert", "-size", f"{self.width // 4}x{self.height // 4}", "-seed", "7",
                 "plasma:fractal", "-resize", f"{self.width}x{self.height}!",
                 "-attenuate", "0.6", "+noise", "Gaussian", "-blur", "0x0.7", "-depth", "8",
                 str(ppm)])
        if not self.jpeg.exists():
            options = ["-progressive"] if self.progressive else []
            run(["cjpeg", "-quality", "90", *options, "-outfile", str(self.jpeg), str(ppm)])
        if not self.progressive:
            if not self.vips.exists():
                run(["vips", "copy", str(self.jpeg), str(self.vips)])
            if not self.magick.exists():
                run(["convert", str(self.jpeg), str(self.magick)])


def pillow_whole_step(picture):
    def measure():
        start, cpu = time.perf_counter(), time.process_time()
        with Image.open(picture.jpeg) as image:
            image.resize(picture.size, LANCZOS, reducing_gap=None)
        return time.perf_counter() - start, time.process_time() - cpu
    return median_ms(measure)


def pillow_resample(picture):
    with Image.open(picture.jpeg) as image:
        image.load()

        def measure():
            start = time.perf_counter()
            image.resize(picture.size, LANCZOS, reducing_gap=None)
            return time.perf_counter() - start
        return median_ms(measure)


def vips_resize_command(source, target, picture):
    w, h = picture.size
    return ["vips", "resize", str(source), str(target), f"{w / picture.width:.10f}",
            "--vscale", f"{h / picture.height:.10f}", "--kernel", "lanczos3", "--gap", "0"]


def magick_resize_command(source, picture):
    w, h = picture.size
    return ["convert", str(source), "-filter", "Lanczos", "-resize", f"{w}x{h}!", "null:"]


def tickwell_command(args, picture, threads):
    command = [args.tool, str(picture.jpeg), "/dev/null", "--fit", f"{LIMIT[0]}x{LIMIT[1]}",
               "--threads", str(threads)]
    # One thread means one core: the process is pinned, so decoding cannot overlap resampling.
    return (["taskset", "-c", "0"] if threads == 1 else []) + command


def tickwell_resample(args, picture, threads):
    w, h = picture.size
    command = [args.bench, str(picture.jpeg), f"{w}x{h}", str(RUNS + 1), str(threads)]
    if threads == 1:
        command = ["taskset", "-c", "0"] + command
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout.split()
    runs = [float(v) for v in out[2:]]  # the first run is the warm-up
    return statistics.median(runs)


def tickwell_split(args, picture, threads):
    """Median decode and resample milliseconds of the whole step, as the tool's --time reports
    them: the resample share is what the caller spends in the resampler besides decoding."""
    def measure():
        out = subprocess.run(tickwell_command(args, picture, threads) + ["--time"], check=True,
                             capture_output=True, text=True).stdout.split()
        # "decode D ms, resample R ms, total T ms, ..."
        return float(out[1]) / 1000, float(out[4]) / 1000
    return median_ms(measure)


def paired_ratios(commands, reference):
    """Runs every command once per round, in a rotating order, for PAIRED_ROUNDS rounds after a
    warm-up, and gives for each command the ratios of its wall time to that of `reference` in
    the same round, sorted."""
    names = list(commands)
    for name in names:
        timed(commands[name])
    walls = {name: [] for name in names}
    for round_index in range(PAIRED_ROUNDS):
        shift = round_index % len(names)
        for name in names[shift:] + names[:shift]:
            walls[name].append(timed(commands[name])[0])
    return {name: sorted(w / r for w, r in zip(walls[name], walls[reference]))
            for name in names if name != reference}


def describe_ratios(ratios):
    """Median with the middle half of the rounds, e.g. "1.12x (middle half 1.09-1.15x)"."""
    quarter = len(ratios) // 4
    return (f"{statistics.median(ratios):5.2f}x (middle half {ratios[quarter]:.2f}-"
            f"{ratios[-1 - quarter]:.2f}x, {len(ratios)} paired rounds)")


def peak_kib(command):
    out = subprocess.run(["/usr/bin/time", "-f", "%M", *command], check=True,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(out.strip().splitlines()[-1])


def print_table(title, columns, rows, reference):
    print(title)
    header = f"  {'tool':<50}" + "".join(f"{c:>17}{'ratio':>8}" for c in columns)
    print(header)
    for name, values in rows:
        cells = ""
        for column, value in zip(columns, values):
            if value is None:
                cells += f"{'-':>17}{'':>8}"
            else:
                ratio = value / reference[column]
                cells += f"{value:>14.1f} ms{ratio:>7.2f}x"
        print(f"  {name:<50}{cells}")
    print()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--bench", required=True)
    parser.add_argument("--data", required=True, type=Path)
    args = parser.parse_args()
    args.data.mkdir(parents=True, exist_ok=True)

    pictures = [Picture(args.data, "6000x4000", 6000, 4000, False),
                Picture(args.data, "4000x3000", 4000, 3000, False),
                Picture(args.data, "6000x4000 progr.", 6000, 4000, True)]
    print("Making the input pictures (kept for later runs)...", file=sys.stderr)
    for picture in pictures:
        picture.make(args.data)
    tiny = args.data / "tiny.jpg"
    if not tiny.exists():
        Image.new("RGB", (16, 16), (90, 120, 150)).save(tiny, quality=90)

    scratch = Path(tempfile.mkdtemp(dir="/dev/shm" if os.path.isdir("/dev/shm") else None))
    out_v = scratch / "out.v"
    print(f"Timing ({RUNS} runs each after a warm-up; {CORES} cores)...", file=sys.stderr)
    # Other work on the machine slows every tool; the load says how quiet the runs were.
    print("Load average at the start: %.2f %.2f %.2f" % os.getloadavg())
    print()

    # --- the whole step -------------------------------------------------------------------
    columns = [p.label for p in pictures]
    all_cores = f"tickwell-resample, all cores ({CORES})"
    measured = {
        "tickwell-resample, 1 thread (one core)":
            [process_wall_and_cpu_ms(tickwell_command(args, p, 1)) for p in pictures],
        all_cores:
            [process_wall_and_cpu_ms(tickwell_command(args, p, 0)) for p in pictures],
        "djpeg (decode alone: the floor)":
            [process_wall_and_cpu_ms(["djpeg", "-dct", "int", "-outfile", "/dev/null",
                                      str(p.jpeg)]) for p in pictures],
        "ImageMagick -filter Lanczos -resize":
            [process_wall_and_cpu_ms(magick_resize_command(p.jpeg, p)) for p in pictures],
        "vips resize lanczos3 --gap 0":
            [process_wall_and_cpu_ms(vips_resize_command(p.jpeg, out_v, p)) for p in pictures],
        "Pillow resize LANCZOS (in-process)":
            [pillow_whole_step(p) for p in pictures],
    }
    whole = {name: [wall for wall, _ in values] for name, values in measured.items()}
    cpu = {name: [used for _, used in values] for name, values in measured.items()}
    reference = dict(zip(columns, whole[all_cores]))
    print_table("Whole step: decode the JPEG and fit it to 1820 x 980 (median ms; ratio = tool / "
                "tickwell-resample on all cores)", columns, whole.items(), reference)
    cpu_reference = dict(zip(columns, cpu[all_cores]))
    print_table("The same, CPU time (user + system; less disturbed by other work on the machine, "
                "but summed over all threads)", columns, cpu.items(), cpu_reference)

    # --- the resample alone -------------------------------------------------------------------
    decoded = [p for p in pictures if not p.progressive]
    columns2 = [p.label for p in decoded]
    magick_load = [process_ms(["convert", str(p.magick), "null:"]) for p in decoded]
    vips_open = [process_ms(["vipsheader", str(p.vips)]) for p in decoded]
    alone = {
        "tickwell ResampleBitmap, 1 thread (one core)":
            [tickwell_resample(args, p, 1) for p in decoded],
        f"tickwell ResampleBitmap, all cores ({CORES})":
            [tickwell_resample(args, p, 0) for p in decoded],
        "ImageMagick from .mpc, load-only run subtracted":
            [process_ms(magick_resize_command(p.magick, p)) - load
             for p, load in zip(decoded, magick_load)],
        "vips from .v (mapped), start-up run subtracted":
            [process_ms(vips_resize_command(p.vips, out_v, p)) - start
             for p, start in zip(decoded, vips_open)],
        "Pillow resize LANCZOS (in-process, timed alone)":
            [pillow_resample(p) for p in decoded],
    }
    reference2 = dict(zip(columns2, alone[f"tickwell ResampleBitmap, all cores ({CORES})"]))
    print_table("Resample alone, from a picture decoded in memory (median ms; ratio = tool / "
                "tickwell on all cores)", columns2, alone.items(), reference2)
    print("  ImageMagick: convert in.mpc -resize ... null: minus convert in.mpc null:.")
    print("  vips: vips resize in.v out.v ... minus vipsheader in.v (start-up and open;"
          " the .v file is memory-mapped).")
    print()

    # --- memory -------------------------------------------------------------------------------
    idle = peak_kib([args.tool, str(tiny), "/dev/null"])
    print("Peak memory of tickwell-resample above its idle size (a 16 x 16 picture:"
          f" {idle / 1024:.1f} MiB)")
    for p in pictures:
        one = peak_kib([args.tool, str(p.jpeg), "/dev/null", "--threads", "1"]) - idle
        every = peak_kib([args.tool, str(p.jpeg), "/dev/null"]) - idle
        print(f"  {p.label:<20} 1 thread {one / 1024:7.1f} MiB   all cores {every / 1024:7.1f} MiB")
    print()

    # --- goals ----------------------------------------------------------------------------
    first = pictures[0].label
    djpeg_cpu = cpu["djpeg (decode alone: the floor)"][0]
    one_thread_cpu = cpu["tickwell-resample, 1 thread (one core)"][0]
    paired = paired_ratios({
        "one": tickwell_command(args, pictures[0], 1),
        "all": tickwell_command(args, pictures[0], 0),
        "djpeg": ["djpeg", "-dct", "int", "-outfile", "/dev/null", str(pictures[0].jpeg)],
    }, "djpeg")
    others = [values[0] for name, values in alone.items() if not name.startswith("tickwell")]
    ours_alone = alone[f"tickwell ResampleBitmap, all cores ({CORES})"][0]
    ours_alone_one = alone["tickwell ResampleBitmap, 1 thread (one core)"][0]
    memory = (peak_kib([args.tool, str(pictures[0].jpeg), "/dev/null"]) - idle) / 1024
    print(f"Goals for the {first} baseline picture:")
    print(f"  whole step, 1 thread / djpeg:    {describe_ratios(paired['one'])}"
          f"   (goal: at most 1.15x; CPU time in the table above {one_thread_cpu / djpeg_cpu:.2f}x)")
    print(f"  whole step, all cores / djpeg:   {describe_ratios(paired['all'])}"
          f"   (goal: at most 1.05x)")
    print(f"  resample alone, fastest other / tickwell all cores: {min(others) / ours_alone:5.2f}x"
          f"   (1 thread: {min(others) / ours_alone_one:5.2f}x; goal: at least 4x)")
    print(f"  peak memory above idle:          {memory:5.1f} MiB (goal: under 40 MiB)")
    print()
    print(f"Where the whole step goes for the {first} picture (tickwell-resample --time, medians):")
    for label, threads in (("1 thread (one core)", 1), (f"all cores ({CORES})", 0)):
        decode_ms, resample_ms = tickwell_split(args, pictures[0], threads)
        print(f"  {label:<20} decode {decode_ms:6.1f} ms,"
              f" in the resampler besides {resample_ms:6.1f} ms")

    print()
    print("Load average at the end: %.2f %.2f %.2f" % os.getloadavg())

    for leftover in scratch.iterdir():
        leftover.unlink()
    scratch.rmdir()


if __name__ == "__main__":
    main()
