#!/usr/bin/env python3
"""What a frame costs on wine's console against the headless host, measured in one run.

    bench/wine_console.py [TICKS]

Plays the planner's game for TICKS ticks (default 300) three ways: in mazewick-sim on the headless
host, under valgrind's callgrind to count the console calls the game makes per frame, and as the
64-bit Windows game under the console probe in wine's console, where every Sleep returns at once.
Needs the default and windows-x64 presets built (build/default, build/windows-x64) and wine64.
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
# The console functions of the game's import table and look-ups. GetStdHandle, which every
# console operation calls first, is counted apart: wine answers it without the console.
CONSOLE_CALLS = re.compile(
    r"^(GetConsoleMode|SetConsoleMode|ReadConsoleA|WriteConsoleA|"
    r"SetConsoleTextAttribute|ScrollConsoleScreenBufferA|SetConsoleWindowInfo|"
    r"SetConsoleScreenBufferSize|SetConsoleActiveScreenBuffer|GetConsoleCursorInfo|"
    r"SetConsoleCursorInfo|FillConsoleOutputAttribute|FillConsoleOutputCharacterA|"
    r"GetConsoleScreenBufferInfo|GetCurrentConsoleFontEx|GetNumberOfConsoleInputEvents|"
    r"SetConsoleCursorPosition|PeekConsoleInputA|SetConsoleTitleA|SetCurrentConsoleFontEx)\(")


def timed(command):
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return time.monotonic() - start


def console_calls(script, work):
    """Console calls and GetStdHandle calls of the whole run, counted by callgrind on the
    headless host."""
    out = os.path.join(work, "callgrind.out")
    subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", SIM, script],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    names = {}
    calls = 0
    handles = 0
    callee = None
    with open(out) as profile:
        for line in profile:
            named = re.match(r"^cfn=\((\d+)\)(?: (.*))?$", line.strip())
            if named:
                number, name = named.groups()
                if name:
                    names[number] = subprocess.run(["c++filt", name], capture_output=True,
                                                   text=True).stdout.strip()
                callee = names.get(number, "")
            elif line.startswith("calls=") and callee is not None:
                count = int(line.split("=")[1].split()[0])
                if CONSOLE_CALLS.match(callee):
                    calls += count
                elif callee.startswith("GetStdHandle("):
                    handles += count
                callee = None
    return calls, handles


def main(args):
    ticks = int(args[0]) if args else 300
    with tempfile.TemporaryDirectory(prefix="mazewick-wine-bench-") as work:
        planned = subprocess.run([AUTOPLAY, "--max-ticks", str(ticks)], capture_output=True,
                                 text=True, check=True).stdout
        script = os.path.join(work, "planned.script")
        with open(script, "w") as file:
            file.write(planned)
        empty = os.path.join(work, "empty.script")
        open(empty, "w").close()

        headless = timed([SIM, script]) - timed([SIM, empty])
        calls, handles = console_calls(script, work)
        # Wine's start-up and the title screen, taken off the played run.
        start_up = timed([PROBE, GAME, empty])
        wine = timed([PROBE, GAME, script]) - start_up

    print(f"ticks played: {ticks}")
    print(f"console calls per tick (headless count): {calls / ticks:.0f}, "
          f"and {handles / ticks:.0f} of GetStdHandle")
    print(f"headless host: {headless / ticks * 1e6:.0f} us per tick")
    print(f"wine's console: {wine / ticks * 1e3:.1f} ms per tick "
          f"({wine / ticks * 1e6 / max(calls / ticks, 1):.0f} us per console call); "
          f"start-up {start_up:.1f} s")
    print(f"wine against headless: {wine / max(headless, 1e-9):.0f} times")


if __name__ == "__main__":
    main(sys.argv[1:])
