#!/usr/bin/python3
"""Start-up time with 500 daily tasks to reset against an unchanged day; run by startup-bench.sh.

The store is made once: the program's first start on an empty folder lays out the defaults,
then tickwell-reg imports 500 daily tasks, all done and dated yesterday. Each pair starts the
program twice on a fresh copy of it: first on the new day (every task begins a new cycle), then
again on the same store (nothing to do). The time is from the start of the process to its main
window mapped on the screen, looked for every 5 ms."""

import argparse
import datetime
import os
import shutil
import signal
import statistics
import struct
import subprocess
import time
from pathlib import Path

TASKS = 500
PAIRS = 3
TITLE = "^Tickwell v2\\.0$"


def day_count(day):
    return float((day - datetime.date(1899, 12, 30)).days)


def hex_bytes(data):
    return ",".join(f"{b:02x}" for b in data)


def reg_string(text):
    """A string that may hold CR LF, as hex(1): UTF-16LE with its closing NUL."""
    return "hex(1):" + hex_bytes((text + "\0").encode("utf-16-le"))


def tasks_reg(yesterday):
    date = "hex:" + hex_bytes(struct.pack("<d", day_count(yesterday)))
    lines = ["Windows Registry Editor Version 5.00", ""]
    keys = [f"task{i}" for i in range(1, TASKS + 1)]
    names = [f"Task {i}" for i in range(1, TASKS + 1)]
    lines += ["[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks]",
              f'"tasksList"={reg_string("".join(n + chr(13) + chr(10) for n in names))}',
              f'"tskList"={reg_string("".join(k + chr(13) + chr(10) for k in keys))}',
              f'"tasksCounter"=dword:{TASKS:08x}', ""]
    for key, name in zip(keys, names):
        lines += [f"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks\\{key}]",
                  f'"name"="{name}"', '"text"=""', '"daily"=dword:00000001',
                  '"complete"=dword:00000001', f'"date"={date}', ""]
    return "\r\n".join(lines) + "\r\n"


def window_shown():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE],
                           capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


def start_ms(program, store):
    """Starts the program on `store`, returns the time to its main window, and ends it."""
    env = dict(os.environ, TICKWELL_CONFIG_DIR=str(store))
    began = time.perf_counter()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        while not window_shown():
            if process.poll() is not None or time.perf_counter() - began > 60:
                raise SystemExit("the main window did not appear")
            time.sleep(0.005)
        return (time.perf_counter() - began) * 1000
    finally:
        process.send_signal(signal.SIGTERM)
        process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--reg", required=True)
    parser.add_argument("--work", required=True, type=Path)
    args = parser.parse_args()

    base = args.work / "base"
    base.mkdir(parents=True)
    start_ms(args.program, base)
    reg = args.work / "tasks.reg"
    reg.write_bytes(tasks_reg(datetime.date.today() - datetime.timedelta(days=1))
                    .encode("utf-8"))
    subprocess.run([args.reg, "import", str(reg)], check=True,
                   env=dict(os.environ, TICKWELL_CONFIG_DIR=str(base)))

    print("Load average at the start: %.2f %.2f %.2f" % os.getloadavg())
    new_day, same_day, ratios = [], [], []
    for pair in range(PAIRS):
        store = args.work / f"pair{pair}"
        shutil.copytree(base, store)
        first = start_ms(args.program, store)
        again = start_ms(args.program, store)
        new_day.append(first)
        same_day.append(again)
        ratios.append(first / again)
        print(f"  pair {pair + 1}: new day {first:7.1f} ms, same day {again:7.1f} ms,"
              f" {first / again:.2f}x")
    print(f"{TASKS} daily tasks, start to main window, medians of {PAIRS} pairs"
          f" ({os.cpu_count()} cores):")
    print(f"  first start of a day (every task reset): {statistics.median(new_day):7.1f} ms")
    print(f"  start on an unchanged day:               {statistics.median(same_day):7.1f} ms")
    print(f"  ratio, paired:                           {statistics.median(ratios):7.2f}x"
          " (goal: at most 1.5x)")
    print("Load average at the end: %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
