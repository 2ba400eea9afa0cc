#!/usr/bin/env python3
"""Runs Windows programs under wine and checks what they do: wine_checks.py CHECK ARGUMENTS.

WINE_BITS (32 or 64) picks wine's loader (the wine wrapper would pick the 32-bit one even where
it cannot run); where 32-bit programs cannot run, a 32-bit check says why and exits 77, taken as
skipped. The probe's checks take MAZEWICK_EXE, MAZEWICK_SIM, MAZEWICK_AUTOPLAY and PROBE. A check
ends within MAZEWICK_TEST_SECONDS (1200 by default) and leaves no wine process or pane behind.
"""

import json
import os
import shlex
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path[:0] = [os.path.join(HERE, "..", "e2e"), os.path.join(HERE, "..", "support")]
import processes  # noqa: E402
from probe_scripts import compare_with_sim, script_for  # noqa: E402
from terminal_e2e import PROMPT, TAGLINE, Failure, Pane, expect, expect_equal  # noqa: E402

WINESERVER = "/usr/lib/wine/wineserver"
# Any other case is a round, stopped by --max-pauses or cut off by Ctrl+C.
PROBE_OPTIONS = {"max-pauses": ["--max-pauses", "5"], "ctrl-c": ["--ctrl-c-at", "5"]}
# The consoles the probe starts the game in: the probe's options, and mazewick-sim's console
# nearest it.
CONSOLES = {"cp437": ([], []), "cp850": (["--code-page", "850"], ["--console", "cp850"]),
            "cp850-vt": (["--code-page", "850", "--vt"], ["--console", "terminal"])}
NO_CONSOLE = ("mazewick: no console to play in: start it in a console window, with neither input "
              "nor output redirected")


def wine_loader():
    if os.environ.get("WINE_BITS", "32") == "64":
        return "/usr/lib/wine/wine64"
    runs = subprocess.run([os.path.join(HERE, "runs-32-bit"), "--wine"], capture_output=True,
                          text=True)
    if runs.returncode != 0:
        print(f"skipped: {runs.stdout.strip()}")
        sys.exit(77)
    return "wine"


def prefix(work):
    """Makes the wine prefix WINEPREFIX; the first boot is slow."""
    wine = wine_loader()
    if not os.path.isfile(os.path.join(os.environ["WINEPREFIX"], "system.reg")):
        subprocess.run([wine, "wineboot", "--init"], timeout=600, check=False)
    # The first boot goes on in the background until the wine server ends.
    subprocess.run([WINESERVER, "--wait"], timeout=600, check=False)


def run(work, exe):
    """EXE exits with status 0, run without a console."""
    status = subprocess.run([wine_loader(), exe], stdin=subprocess.DEVNULL, timeout=120).returncode
    subprocess.run([WINESERVER, "--wait"], timeout=60, check=False)
    expect_equal(status, 0, "exit status")


def no_console(work, exe):
    """EXE with its input and output redirected exits with status 1 and says why."""
    with open(os.path.join(work, "output"), "wb") as output:
        run = subprocess.run([wine_loader(), exe], stdin=subprocess.DEVNULL, stdout=output,
                             stderr=subprocess.PIPE, timeout=120)
    subprocess.run([WINESERVER, "--wait"], timeout=60, check=False)
    expect_equal(run.returncode, 1, "exit status")
    # Wine may say things of its own there too.
    expect((NO_CONSOLE + "\r\n").encode() in run.stderr, f"standard error: {run.stderr!r}")


def in_pane(work, exe):
    """In a tmux pane: the title in its colours, S starts a round with its score line and maze
    walls, Esc and Q quit with status 0."""
    wine, exe = wine_loader(), os.path.abspath(exe)
    pane = Pane(work, 100, 45)
    pane.type_line(f"{shlex.quote(wine)} {shlex.quote(exe)}; echo exit status $?.")
    pane.wait_for_text(TAGLINE, PROMPT, seconds=120)
    expect(any("\x1b[96m" + TAGLINE in line for line in pane.screen(escapes=True)),
           "the title's tagline is not in bright cyan")
    pane.keys("s")
    pane.wait_for_text("Score:", "1UP:", "╔═", "║", seconds=30)
    # From a terminal, wine's console gives a lone Esc without its character: the game takes
    # it by its virtual key.
    pane.keys("Escape")
    pane.wait_for_text("PAUSED", seconds=30)
    pane.keys("q")
    pane.wait_for_text("exit status 0.", seconds=60)


def state(work, case, size, kind="cp437", compared=()):
    """The case under the probe from a console of the size and kind: the outputs compared (a
    JSON field or row a line) and the exit status are mazewick-sim's, and a game that quit (or
    any, when nothing is compared) leaves the console as it was but its title, which the shell
    puts back."""
    probe_console, sim_console = CONSOLES[kind]
    difference, wine_status, sim_status = compare_with_sim(
        work, "wine", [os.environ["PROBE"], os.environ["MAZEWICK_EXE"], "--console", size,
                       *probe_console, "--state", f"{work}/state.json"],
        [os.environ["MAZEWICK_SIM"], *sim_console], script_for(case, work), compared,
        PROBE_OPTIONS.get(case, []))
    if compared:
        expect(difference is None, difference)
        expect_equal(wine_status, sim_status, "exit status under wine against the sim")
    else:
        expect(case == "ctrl-c" or wine_status == 0, f"exit status {wine_status}")
    if wine_status == 0 or not compared:
        with open(f"{work}/state.json") as file:
            console = json.load(file)
        for side in console.values():
            side.pop("title", None)
        expect_equal(console["after"], console["before"], "the console after the game")


CHECKS = {"prefix": prefix, "run": run, "no-console": no_console, "pane": in_pane,
          "state": state,
          "same": lambda work, case, kind="cp437": state(work, case, "80x25", kind,
                                                         ("frames", "waits", "screen"))}


def main(check, *arguments):
    os.environ.update(WINEDEBUG="-all", LC_ALL="C.UTF-8")
    processes.adopt_orphans_and_end_after(int(os.environ.get("MAZEWICK_TEST_SECONDS", "1200")))
    with tempfile.TemporaryDirectory(prefix="mazewick-wine-checks-") as work:
        try:
            CHECKS[check](work, *arguments)
        except (Failure, OSError, subprocess.TimeoutExpired, processes.TimedOut) as failure:
            sys.exit(f"{check} {' '.join(arguments)}: failed: {failure}\n{processes.report()}")
        finally:
            signal.alarm(0)
            # The prefix's wine processes first, so that the wine server ends as it should.
            if os.access(WINESERVER, os.X_OK):
                subprocess.run([WINESERVER, "--kill"], timeout=60, check=False)
            processes.end_all()
    print(f"{check} {' '.join(arguments)}: passed")


if __name__ == "__main__":
    main(*sys.argv[1:])
