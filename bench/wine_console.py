#!/usr/bin/env python3
"""What a tick costs on wine's console, and the console calls it makes.

    bench/wine_console.py [TICKS]

Plays the planner's game for TICKS ticks (default 300) in mazewick-sim under callgrind, to count
the console calls, and as the 64-bit Windows game under the console probe in wine's console, where
every Sleep returns at once. Needs build/default, build/windows-x64 and wine64.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIM = os.path.join(ROOT, "build/default/tools/mazewick-sim")
AUTOPLAY = os.path.join(ROOT, "build/default/tools/mazewick-autoplay")
GAME = os.path.join(ROOT, "build/windows-x64/mazewick.exe")
PROBE = os.path.join(ROOT, "tools/windows_probe/probe")


def timed(*command):
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return time.monotonic() - start


def console_calls(script, work):
    """Calls of the console functions, and apart of GetStdHandle, which every console operation
    calls first and wine answers without its console, counted by callgrind on the headless host."""
    out = os.path.join(work, "callgrind.out")
    subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", SIM, script],
                   check=True, capture_output=True)
    names, calls, handles, callee = {}, 0, 0, ""
    for line in open(out):
        # Callgrind names a function at its first mention, as the caller (fn) or the callee (cfn).
        named = re.match(r"(c?)fn=\((\d+)\)(?: (.*))?$", line.strip())
        if named:
            name = names.setdefault(named[2], named[3])
            callee = name if named[1] else ""
        elif line.startswith("calls=") and callee:
            count = int(line.split("=")[1].split()[0])
            if callee.startswith("GetStdHandle("):
                handles += count
            elif re.match(r"\w*Console\w*\(", callee):
                calls += count
            callee = ""
    return calls, handles


def main(args):
    ticks = int(args[0]) if args else 300
    with tempfile.TemporaryDirectory(prefix="mazewick-wine-bench-") as work:
        script, empty = os.path.join(work, "planned.script"), os.path.join(work, "empty.script")
        with open(script, "w") as planned:
            subprocess.run([AUTOPLAY, "--max-ticks", str(ticks)], stdout=planned, check=True)
        open(empty, "w").close()
        calls, handles = console_calls(script, work)
        # Wine's start-up and the title screen, taken off the played run.
        start_up = timed(PROBE, GAME, empty)
        wine = timed(PROBE, GAME, script) - start_up
    print(f"{ticks} ticks; console calls per tick (headless count): {calls / ticks:.0f}, "
          f"and {handles / ticks:.0f} of GetStdHandle")
    print(f"wine's console: {wine / ticks * 1e3:.1f} ms per tick "
          f"({wine / calls * 1e6:.0f} us per console call); start-up {start_up:.1f} s")


if __name__ == "__main__":
    main(sys.argv[1:])
