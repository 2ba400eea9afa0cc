#!/usr/bin/env python3
"""Checks the Windows game in wine's console against the headless host.

    probe_checks.py same CASE      the probe's frames, waits, final screen and exit status equal
                                   mazewick-sim's for the case's script, from an 80 x 25 console,
                                   and a game that quit left the console as it was
    probe_checks.py state CASE CxR the console after the case is as it was before it, from a
                                   console of C x R

Paths come from the environment: MAZEWICK_EXE (the Windows game), MAZEWICK_SIM and
MAZEWICK_AUTOPLAY (host builds), PROBE (tools/windows_probe/probe).
"""

import json
import os
import subprocess
import sys
import tempfile

# The scripts, in mazewick-sim's format. A pause count of 99999 is never reached: such a line
# comes when the game waits for a key.
SCRIPTS = {
    # Junk on the title screen, a key without a character, then Q.
    "title": "0 x\n5 \\k7\n9 Q\n",
    # A game without keys to game over, back to the title, and q there.
    "game": "0 s\n99999 \\s\n99999 q\n",
    # A turn, Esc to pause, Esc to play on, Esc again and Q while paused.
    "pause": "0 s\n5 d\n8 \\e\n99999 \\e\n12 \\e\n99999 q\n",
    # Ctrl+C comes in the round.
    "ctrl-c": "0 s\n",
}
# The case's extra probe options.
OPTIONS = {"max-pauses": ["--max-pauses", "5"], "ctrl-c": ["--ctrl-c-at", "5"]}


def script_for(case, work):
    if case == "round":
        # The planner's game up to its first completed round, then q on the round-complete
        # screen instead of Space.
        planned = subprocess.run([os.environ["MAZEWICK_AUTOPLAY"], "--max-ticks", "1000"],
                                 capture_output=True, text=True, check=True).stdout
        lines = []
        for line in planned.splitlines():
            if line.endswith("\\s"):
                break
            lines.append(line)
        text = "\n".join(lines) + "\n99999 q\n"
    elif case == "max-pauses":
        text = "0 s\n"
    else:
        text = SCRIPTS[case]
    path = os.path.join(work, case + ".script")
    with open(path, "w") as script:
        script.write(text)
    return path


def run(command):
    done = subprocess.run(command, capture_output=True, text=True, timeout=1500)
    if done.stderr.strip():
        print(done.stderr.strip())
    return done.returncode


def first_difference(name, ours, theirs):
    """Where two files of JSON lines first differ, in a few lines; None when they are equal."""
    with open(ours) as a, open(theirs) as b:
        left, right = a.read().splitlines(), b.read().splitlines()
    for index, (x, y) in enumerate(zip(left, right)):
        if x == y:
            continue
        x, y = json.loads(x), json.loads(y)
        for key in y:
            if x.get(key) == y[key]:
                continue
            where = f"{name} record {index + 1} (pause {y.get('pause')}), {key}"
            if isinstance(y[key], list) and isinstance(x.get(key), list) and key != "cursor":
                for row, (p, q) in enumerate(zip(x[key], y[key])):
                    if p != q:
                        return f"{where} row {row}:\n  wine: {p!r}\n  sim:  {q!r}"
            return f"{where}:\n  wine: {x.get(key)!r}\n  sim:  {y[key]!r}"
    if len(left) != len(right):
        return f"{name}: {len(left)} records under wine, {len(right)} on the headless host"
    return None


def same(case, work):
    """The probe's outputs against mazewick-sim's; after quitting, the console is also checked as
    in state()."""
    script = script_for(case, work)
    extra = OPTIONS.get(case, [])
    state_path = os.path.join(work, "state.json")
    outputs = ("frames", "waits", "screen")
    sim = [os.environ["MAZEWICK_SIM"]] + extra
    probe = [os.environ["PROBE"], os.environ["MAZEWICK_EXE"], "--console", "80x25"] + extra
    for name in outputs:
        sim += [f"--{name}", os.path.join(work, f"sim.{name}")]
        probe += [f"--{name}", os.path.join(work, f"wine.{name}")]
    sim_status = run(sim + [script])
    wine_status = run(probe + ["--state", state_path, script])
    problems = [first_difference(name, os.path.join(work, f"wine.{name}"),
                                 os.path.join(work, f"sim.{name}")) for name in outputs]
    if wine_status != sim_status:
        problems.append(f"exit status {wine_status} under wine, {sim_status} on the headless host")
    if wine_status == 0:
        problems += state_changes(state_path)
    return [problem for problem in problems if problem]


def state_changes(path):
    """What the game left changed in the console, from the probe's --state file."""
    if not os.path.exists(path):
        return ["no state written"]
    with open(path) as file:
        console = json.load(file)
    # The game sets the console's title and leaves it, as the command shell puts back its own.
    return [f"{key} was {before}, is {console['after'][key]} after the game"
            for key, before in console["before"].items()
            if key != "title" and console["after"][key] != before]


def state(case, size, work):
    path = os.path.join(work, "state.json")
    status = run([os.environ["PROBE"], os.environ["MAZEWICK_EXE"], "--console", size,
                  "--state", path] + OPTIONS.get(case, []) + [script_for(case, work)])
    problems = [] if case == "ctrl-c" or status == 0 else [f"exit status {status}"]
    return problems + state_changes(path)


def main(args):
    with tempfile.TemporaryDirectory(prefix="mazewick-probe-checks-") as work:
        if len(args) == 2 and args[0] == "same":
            problems = same(args[1], work)
        elif len(args) == 3 and args[0] == "state":
            problems = state(args[1], args[2], work)
        else:
            print(__doc__.strip())
            return 2
    for problem in problems:
        print(problem)
    print(f"{' '.join(args)}: {'failed' if problems else 'passed'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
