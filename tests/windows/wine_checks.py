#!/usr/bin/env python3
"""Runs Windows programs under wine and checks what they do.

    wine_checks.py prefix           makes the wine prefix WINEPREFIX (the first boot is slow)
    wine_checks.py run EXE          EXE exits with status 0, run without a console
    wine_checks.py title-quit EXE   in a tmux pane, the title in its colours; Q ends with status 0
    wine_checks.py round EXE        in a tmux pane, S starts a round: score line and maze walls
    wine_checks.py same CASE        the probe's frames, waits, final screen and exit status for
                                    the case from an 80 x 25 console are mazewick-sim's, and a
                                    game that quit left the console as it was
    wine_checks.py state CASE CxR   the console after the case as before it, from one of C x R

WINE_BITS (32 or 64) picks wine's loader (the wine wrapper would pick the 32-bit one even where
it cannot run); where 32-bit programs cannot run, a 32-bit check says why and exits 77, taken as
skipped. The probe's checks take MAZEWICK_EXE, MAZEWICK_SIM, MAZEWICK_AUTOPLAY and PROBE.
"""

import inspect
import json
import os
import shlex
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from terminal_e2e import (PROMPT, TAGLINE, Failure, Pane, expect, expect_equal,  # noqa: E402
                          expect_same_lines)

SKIPPED_STATUS = 77
WINESERVER = "/usr/lib/wine/wineserver"
# The probe's scripts, in mazewick-sim's format. A pause count of 99999 is never reached: such a
# line comes when the game waits for a key.
SCRIPTS = {
    # Junk on the title screen, a key without a character, then Q.
    "title": "0 x\n5 \\k7\n9 Q\n",
    # A game without keys to game over, back to the title, and q there.
    "game": "0 s\n99999 \\s\n99999 q\n",
    # A turn, Esc to pause, Esc to play on, Esc again and Q while paused.
    "pause": "0 s\n5 d\n8 \\e\n99999 \\e\n12 \\e\n99999 q\n",
    # A round stopped by --max-pauses, and one cut off by Ctrl+C.
    "max-pauses": "0 s\n",
    "ctrl-c": "0 s\n",
}
PROBE_OPTIONS = {"max-pauses": ["--max-pauses", "5"], "ctrl-c": ["--ctrl-c-at", "5"]}


def wine_loader():
    if os.environ.get("WINE_BITS", "32") == "64":
        return "/usr/lib/wine/wine64"
    runs = subprocess.run([os.path.join(HERE, "runs-32-bit"), "--wine"], capture_output=True,
                          text=True)
    if runs.returncode != 0:
        print(f"skipped: {runs.stdout.strip()}")
        sys.exit(SKIPPED_STATUS)
    return "wine"


def prefix(work):
    wine = wine_loader()
    if not os.path.isfile(os.path.join(os.environ["WINEPREFIX"], "system.reg")):
        subprocess.run([wine, "wineboot", "--init"], timeout=600, check=False)
    # The first boot goes on in the background until the wine server ends.
    subprocess.run([WINESERVER, "--wait"], timeout=600, check=False)


def run(work, exe):
    status = subprocess.run([wine_loader(), exe], stdin=subprocess.DEVNULL, timeout=120).returncode
    subprocess.run([WINESERVER, "--wait"], timeout=60, check=False)
    expect_equal(status, 0, "exit status")


def in_pane(work, exe, quit_at_title):
    """The game in a tmux pane, as a player sees it."""
    wine, exe = wine_loader(), os.path.abspath(exe)
    pane = Pane(work, 100, 45)
    try:
        pane.type_line(f"{shlex.quote(wine)} {shlex.quote(exe)}; echo exit status $?.")
        pane.wait_for_text(TAGLINE, PROMPT, seconds=120)
        expect(any("\x1b[96m" + TAGLINE in line for line in pane.screen(escapes=True)),
               "the title's tagline is not in bright cyan")
        if quit_at_title:
            pane.keys("q")
            pane.wait_for_text("exit status 0.", seconds=60)
        else:
            pane.keys("s")
            pane.wait_for_text("Score:", "1UP:", "╔═", "║", seconds=30)
    finally:
        pane.kill()
        subprocess.run([WINESERVER, "--kill"], timeout=60, check=False)


def script_for(case, work):
    if case == "round":
        # The planner's game up to its first completed round, then q on the round-complete
        # screen instead of Space.
        planned = subprocess.run([os.environ["MAZEWICK_AUTOPLAY"], "--max-ticks", "1000"],
                                 capture_output=True, text=True, check=True).stdout.splitlines()
        ending = next(index for index, line in enumerate(planned) if line.endswith("\\s"))
        text = "\n".join(planned[:ending]) + "\n99999 q\n"
    else:
        text = SCRIPTS[case]
    path = os.path.join(work, case + ".script")
    with open(path, "w") as script:
        script.write(text)
    return path


def status_of(command):
    return subprocess.run(command, stdin=subprocess.DEVNULL, timeout=1500).returncode


def expect_same_records(name, work):
    """The probe's file of JSON lines against mazewick-sim's, a field or a row a line."""
    with open(f"{work}/wine.{name}") as a, open(f"{work}/sim.{name}") as b:
        wine, sim = a.read().splitlines(), b.read().splitlines()
    for index, records in enumerate(zip(wine, sim), 1):
        ours, theirs = (json.dumps(json.loads(record), indent=0) for record in records)
        expect_same_lines(ours, theirs, f"{name} record {index} under wine against the sim")
    expect_equal(len(wine), len(sim), f"{name}: records under wine against the sim")


def expect_console_kept(work):
    """Nothing the game changed in the console is left changed, by the probe's --state file."""
    expect(os.path.exists(f"{work}/state.json"), "no state written")
    with open(f"{work}/state.json") as file:
        console = json.load(file)
    # The game sets the console's title and leaves it, as the command shell puts back its own.
    expect_equal({key: value for key, value in console["after"].items() if key != "title"},
                 {key: value for key, value in console["before"].items() if key != "title"},
                 "the console after the game against before it")


def output_options(outputs, side, work):
    return [option for name in outputs for option in (f"--{name}", f"{work}/{side}.{name}")]


def probed(case, size, work, outputs=()):
    """The case's exit status under the probe from a console of the size, writing the outputs
    named and the console's state."""
    options = ["--console", size, "--state", f"{work}/state.json", *PROBE_OPTIONS.get(case, []),
               *output_options(outputs, "wine", work)]
    return status_of([os.environ["PROBE"], os.environ["MAZEWICK_EXE"], *options,
                      script_for(case, work)])


def same(work, case):
    outputs = ("frames", "waits", "screen")
    sim_status = status_of([os.environ["MAZEWICK_SIM"], *PROBE_OPTIONS.get(case, []),
                            *output_options(outputs, "sim", work), script_for(case, work)])
    wine_status = probed(case, "80x25", work, outputs)
    for name in outputs:
        expect_same_records(name, work)
    expect_equal(wine_status, sim_status, "exit status under wine against the sim")
    if wine_status == 0:
        expect_console_kept(work)


def state(work, case, size):
    status = probed(case, size, work)
    expect(case == "ctrl-c" or status == 0, f"exit status {status}")
    expect_console_kept(work)


CHECKS = {"prefix": prefix, "run": run, "same": same, "state": state,
          "title-quit": lambda work, exe: in_pane(work, exe, True),
          "round": lambda work, exe: in_pane(work, exe, False)}


def main(args):
    check = CHECKS.get(args[0]) if args else None
    if check is None or len(inspect.signature(check).parameters) != len(args):
        print(__doc__.strip())
        return 2
    os.environ.update(WINEDEBUG="-all", LC_ALL="C.UTF-8")
    with tempfile.TemporaryDirectory(prefix="mazewick-wine-checks-") as work:
        try:
            check(work, *args[1:])
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"{' '.join(args)}: failed: {failure}")
            return 1
    print(f"{' '.join(args)}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
