"""The processes a test starts, kept track of from /proc and all ended with it.

A test adopts every process its children leave behind (the tmux server and the wine server
daemonize; a game whose shell has gone is an orphan), so that whatever ends the test, passed,
failed or out of time, all of them can be found, described and ended.
"""

import ctypes
import os
import signal
import time

PR_SET_CHILD_SUBREAPER = 36
TICKS = os.sysconf("SC_CLK_TCK")
STATES = {"R": "running", "S": "sleeping", "D": "in disk wait", "T": "stopped", "t": "traced"}


class TimedOut(Exception):
    pass


def adopt_orphans():
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "cannot adopt the test's orphans")


def end_case_after(seconds):
    """Raises TimedOut in the test once it has run that long, before CTest's own limit kills it
    with no chance to clean up."""
    def out_of_time(_signal, _frame):
        raise TimedOut(f"the case did not end within {seconds} s")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(seconds)


def _stat(pid):
    """Name, state, parent, CPU seconds and age in seconds, or None for a process gone."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            text = stat.read()
        with open("/proc/uptime") as uptime:
            now = float(uptime.read().split()[0])
    except OSError:
        return None
    name, fields = text[text.index("(") + 1:text.rindex(")")], text[text.rindex(")") + 2:].split()
    cpu = (int(fields[11]) + int(fields[12])) / TICKS
    return name, fields[0], int(fields[1]), cpu, max(now - int(fields[19]) / TICKS, 0.01)


def alive(pid):
    stat = _stat(pid)
    return stat is not None and stat[1] != "Z"


def describe(pid):
    """What the process is doing: alive or not, its state, where it waits, its share of a core."""
    stat = _stat(pid)
    if stat is None or stat[1] == "Z":
        return f"{pid}: exited"
    name, state, _, cpu, age = stat
    try:
        with open(f"/proc/{pid}/wchan") as wchan:
            waiting = wchan.read().removesuffix("\n")
    except OSError:
        waiting = ""
    waiting = "no wait" if waiting in ("", "0") else waiting
    return (f"{pid} ({name}): alive, {STATES.get(state, state)} in {waiting}, "
            f"{100 * cpu / age:.0f}% of a core over {age:.1f} s")


def descendants():
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit() and (stat := _stat(int(entry))) is not None:
            parents[int(entry)] = stat[2]
    found, frontier = [], [os.getpid()]
    while frontier:
        children = [pid for pid, parent in parents.items() if parent in frontier]
        found += children
        frontier = children
    return found


def reap():
    try:
        while os.waitpid(-1, os.WNOHANG)[0] != 0:
            pass
    except ChildProcessError:
        pass


def report(games=()):
    """The games named and every other process the test still has, one line each."""
    others = [pid for pid in descendants() if pid not in games and alive(pid)]
    return "\n".join([f"game {describe(pid)}" for pid in games] +
                     [f"left {describe(pid)}" for pid in others])


def end_all():
    """Ends every process the test started or adopted; the test is left with none."""
    signal.alarm(0)
    for _ in range(100):
        reap()
        left = descendants()
        if not left:
            return
        for pid in filter(alive, left):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        time.sleep(0.05)
    raise OSError(f"processes left that cannot be ended:\n{report()}")
