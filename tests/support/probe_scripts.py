"""The scripts the probes of other hosts (wine's console, the browser) play, in mazewick-sim's
format, so that each host is compared with mazewick-sim on the same games."""

import json
import os
import subprocess

# A pause count of 99999 is never reached: such a line comes when the game waits for a key.
SCRIPTS = {
    "title": "0 x\n5 \\k7\n9 Q\n",  # junk, a key without a character, then Q
    "game": "0 s\n99999 \\s\n99999 q\n",  # no keys to game over, back to the title, q there
    "pause": "0 s\n5 d\n8 \\e\n99999 \\e\n12 \\e\n99999 q\n",  # a turn, pause, play on, pause, Q
}


def script_for(case, work):
    """The case's script as a file in work. "round" is the planner's game (MAZEWICK_AUTOPLAY) up
    to its first completed round, then q on the round-complete screen instead of Space; any other
    case not named above is a round started and left to its end or cut off."""
    if case == "round":
        planned = subprocess.run([os.environ["MAZEWICK_AUTOPLAY"], "--max-ticks", "1000"],
                                 capture_output=True, text=True, check=True).stdout.splitlines()
        ending = next(index for index, line in enumerate(planned) if line.endswith("\\s"))
        text = "\n".join(planned[:ending]) + "\n99999 q\n"
    else:
        text = SCRIPTS.get(case, "0 s\n")
    path = os.path.join(work, case + ".script")
    with open(path, "w") as script:
        script.write(text)
    return path


def different_records(work, side, name):
    """None when work/SIDE.NAME holds the records of work/sim.NAME, else where they first differ:
    the record and its first differing field or row, or the counts."""
    with open(f"{work}/{side}.{name}", "rb") as ours, open(f"{work}/sim.{name}", "rb") as sim:
        mine, theirs = ours.read().splitlines(), sim.read().splitlines()
    for index, (a, b) in enumerate(zip(mine, theirs), 1):
        if a != b:
            rows = zip(*(json.dumps(json.loads(record), indent=0).splitlines() for record in (a, b)))
            first = next(((x, y) for x, y in rows if x != y), (a, b))
            return f"{name} record {index} under {side}: {first[0]}\nthe sim's: {first[1]}"
    if len(mine) != len(theirs):
        return f"{name}: {len(mine)} records under {side}, {len(theirs)} from the sim"
    return None


def compare_with_sim(work, side, probe, sim, script, names, options=()):
    """Runs the probe, and with names to compare mazewick-sim, on the script with the options
    (each program a command), writing the named records under work: the first difference of
    their records (None when there is none) and the two exit statuses."""
    statuses = {}
    for who, program in [(side, probe)] + ([("sim", sim)] if names else []):
        files = [arg for name in names for arg in (f"--{name}", f"{work}/{who}.{name}")]
        statuses[who] = subprocess.run([*program, *options, *files, script],
                                       stdin=subprocess.DEVNULL, timeout=1500).returncode
    differences = (different_records(work, side, name) for name in names)
    return next((d for d in differences if d), None), statuses[side], statuses.get("sim")
