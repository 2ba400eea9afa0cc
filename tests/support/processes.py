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


class TimedOut(Exception):
    pass


def adopt_orphans_and_end_after(seconds):
    """Makes the test the parent of its orphans, and raises TimedOut in it once it has run that
    long, before CTest's own limit kills it with no chance to clean up."""
    if ctypes.CDLL(None).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        raise OSError("cannot adopt the test's orphans")

    def out_of_time(_signal, _frame):
        raise TimedOut(f"the case did not end within {seconds} s")
    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(seconds)


def _stat(pid):
    """Name, state, parent, CPU seconds and start in seconds after boot; None once it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            text = stat.read()
    except OSError:
        return None
    fields = text[text.rindex(")") + 2:].split()
    return (text[text.index("(") + 1:text.rindex(")")], fields[0], int(fields[1]),
            (int(fields[11]) + int(fields[12])) / TICKS, int(fields[19]) / TICKS)


def alive(pid):
    stat = _stat(pid)
    return stat is not None and stat[1] != "Z"


def describe(pid):
    """What the process is doing: alive or not, its state and its share of a core."""
    stat = _stat(pid)
    if stat is None or stat[1] == "Z":
        return f"{pid}: exited"
    name, state, _, cpu, start = stat
    with open("/proc/uptime") as uptime:
        age = max(float(uptime.read().split()[0]) - start, 0.01)
    return f"{pid} ({name}): alive, state {state}, {100 * cpu / age:.0f}% of a core over {age:.1f} s"


def descendants():
    parents = {int(pid): stat[2] for pid in os.listdir("/proc")
               if pid.isdigit() and (stat := _stat(pid)) is not None}
    found, frontier = [], {os.getpid()}
    while frontier:
        frontier = {pid for pid, parent in parents.items() if parent in frontier}
        found += frontier
    return found


def reap():
    try:
        while os.waitpid(-1, os.WNOHANG)[0] != 0:
            pass
    except ChildProcessError:
        pass


def report(games=()):
    """The games named and every other process the test still has, one line each."""
    return "\n".join([f"game {describe(pid)}" for pid in games] +
                     [f"left {describe(pid)}" for pid in descendants()
                      if pid not in games and alive(pid)])


def end_all():
    """Ends every process the test started or adopted, and reaps it."""
    signal.alarm(0)
    for _ in range(100):
        reap()
        if not (left := descendants()):
            return
        for pid in filter(alive, left):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        time.sleep(0.05)
    raise OSError(f"processes left that cannot be ended:\n{report()}")
