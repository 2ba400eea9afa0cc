#!/usr/bin/env python3
"""End-to-end tests of mazewick in tmux, a server for each: terminal_e2e.py MAZEWICK CASE

Every game is checked afterwards for the terminal as it was. The recordings also run MAZEWICK_SIM
and MAZEWICK_AUTOPLAY, named in the environment. A case ends within MAZEWICK_TEST_SECONDS (60 by
default), and ends every process it started whatever its outcome. Exit status 0 is a pass.
"""

import glob
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import processes  # noqa: E402

WAIT_SECONDS = 10
PANE_COLUMNS = 80
PANE_ROWS = 40
USER_TITLE = "e2e-user-title"
GAME_TITLE = "Mazewick 1.0"
TAGLINE = " The definitive text-based version of the popular game"
PROMPT = "Press [S] to begin, and [Q] to quit:"
GAME_OVER_PROMPT = "to return to title"
INVALID = "Invalid selection, press any key to try again!"
TOO_SMALL = "needs a terminal of 55 x 33"
# A round that nobody steers well is lost in about 12 seconds.
ROUND_SECONDS = 40
SHELL_PROMPT = "e2e$ "
# How soon a game whose terminal has closed must be gone.
HANGUP_SECONDS = 2
# A closed terminal's SIGCONT can cancel the stop the leak checker waits for, and hang its exit.
UNCHECKED_LEAKS = "ASAN_OPTIONS=detect_leaks=0"

# Records the terminal settings, sets the user's title and writes the game's process id.
TAKE = 'dir=$1; shift; stty -g > "$dir/before"; printf "\\033]2;%s\\007" "$TITLE"; '
# Becomes the game: the game alone is the shell's job, as Ctrl-Z needs.
RUNNER = TAKE + 'echo $$ > "$dir/pid"; exec "$@"'
# Stays behind the game and keeps its status, for a game that outlives its terminal; and the
# shell, seeing no job killed by a signal, keeps the terminal's settings as the game left them.
RUNNER_STAYING = TAKE + ('sh -c \'echo $$ > "$0"; exec "$@"\' "$dir/pid" "$@"; s=$?; '
                         'echo $s > "$dir/status.partial"; mv "$dir/status.partial" "$dir/status"; '
                         'exit $s')


class Failure(Exception):
    pass


class Pane:
    """One tmux server with one pane running an interactive shell."""

    def __init__(self, work_dir, columns=PANE_COLUMNS, rows=PANE_ROWS):
        self.work_dir = work_dir
        # Scores are kept in the test's own folder.
        self.env = dict(os.environ, TMUX_TMPDIR=work_dir, LC_ALL="C.UTF-8", TITLE=USER_TITLE,
                        XDG_DATA_HOME=os.path.join(work_dir, "data"))
        self.env.pop("TMUX", None)
        self.tmux("-f", "/dev/null", "new-session", "-d", "-x", str(columns), "-y", str(rows),
                  f"env PS1={shlex.quote(SHELL_PROMPT)} bash --norc --noprofile -i")
        self.tmux("set-option", "-g", "window-size", "manual")
        self.wait_for_text(SHELL_PROMPT.strip())

    def tmux(self, *arguments):
        result = subprocess.run(["tmux", "-L", "e2e", *arguments], env=self.env,
                                capture_output=True, text=True, timeout=WAIT_SECONDS)
        if result.returncode != 0:
            raise Failure(f"tmux {' '.join(arguments)}: {result.stderr.strip()}")
        return result.stdout

    def type_line(self, text):
        self.tmux("send-keys", "-l", text)
        self.tmux("send-keys", "Enter")

    def keys(self, *keys, then=None):
        self.tmux("send-keys", *keys)
        return self.wait_for_text(then) if then else None

    def screen(self, escapes=False):
        return self.tmux("capture-pane", "-p", *(["-e"] if escapes else [])).split("\n")

    def show(self, *variables):
        names = " ".join("#{" + name + "}" for name in variables)
        return self.tmux("display-message", "-p", names).strip()

    def resize(self, columns, rows, *then):
        self.tmux("resize-window", "-x", str(columns), "-y", str(rows))
        return self.wait_for_text(*then)

    def wait_until(self, what, condition, seconds=WAIT_SECONDS):
        deadline = time.monotonic() + seconds
        while not condition(lines := self.screen()):
            if time.monotonic() > deadline:
                raise Failure(f"timed out waiting for {what}; the screen shows:\n" +
                              "\n".join(lines))
            time.sleep(0.1)
        return lines

    def wait_for_text(self, *texts, seconds=WAIT_SECONDS):
        return self.wait_until(" and ".join(map(repr, texts)),
                               lambda lines: all(any(text in line for line in lines)
                                                 for text in texts), seconds)

    def wait_for_board(self):
        """The score line, 31 rows of the board and the lives line, one under the other."""
        def whole(lines):
            score = [row for row, line in enumerate(lines) if "Score:" in line]
            lives = [row for row, line in enumerate(lines) if "Lives:" in line]
            return (len(score) == len(lives) == 1 and lives[0] - score[0] == 32
                    and all(line.strip() for line in lines[score[0] + 1:lives[0]]))
        return self.wait_until("the whole board", whole)


class Game:
    """The game started in a pane through a runner, its title screen shown."""

    def __init__(self, pane, binary, environment="", arguments=(), runner_text=RUNNER,
                 title=True):
        self.pane = pane
        self.dir = tempfile.mkdtemp(dir=pane.work_dir)
        command = ["-c", runner_text, "runner", self.dir, binary, *arguments]
        pane.type_line(f"clear; {environment} sh " + " ".join(map(shlex.quote, command)))
        if title:
            pane.wait_for_text(TAGLINE, PROMPT)
            expect_equal(pane.show("pane_title"), GAME_TITLE, "terminal title while playing")

    def file(self, name):
        return os.path.join(self.dir, name)

    def start_round(self):
        self.pane.keys("s")
        return self.pane.wait_for_board()

    def record_in_shell(self, command, name):
        """Has the shell in the pane write what the command prints to a file; the text."""
        path, partial = self.file(name), shlex.quote(self.file(name + ".partial"))
        self.pane.type_line(f"{command} > {partial}; mv {partial} {shlex.quote(path)}")
        self.pane.wait_until(command, lambda _: os.path.exists(path))
        return read_text(path)

    def expect_exit(self, status, seconds=WAIT_SECONDS):
        self.pane.wait_until("the shell after the game",
                             lambda lines: SHELL_PROMPT.strip() in map(str.strip, lines), seconds)
        status_text, stty = self.record_in_shell("echo $? $(stty -g)", "after").split(" ", 1)
        expect_equal(int(status_text), status, "exit status")
        self.expect_terminal_restored(stty)

    def expect_terminal_restored(self, stty):
        expect_equal(stty, read_text(self.file("before")), "stty -g")
        expect_equal(self.pane.show("cursor_flag", "alternate_on", "pane_title"),
                     f"1 0 {USER_TITLE}", "cursor visible, alternate screen off, the user's title")


def read_text(path):
    with open(path, encoding="utf-8") as text:
        return text.read()


def expect(condition, what):
    if not condition:
        raise Failure(what)


def expect_equal(actual, expected, what):
    expect(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


def expect_same_lines(actual, expected, what):
    """Like expect_equal for long texts: a difference is shown by its first line."""
    actual_lines, expected_lines = actual.split("\n"), expected.split("\n")
    for number, (got, wanted) in enumerate(zip(actual_lines, expected_lines), 1):
        expect_equal(got, wanted, f"{what}, line {number}")
    expect_equal(len(actual_lines), len(expected_lines), f"{what}: lines")


# The cases: each takes the pane and the game's binary.

def title(pane, binary):
    """The title screen as each terminal and NO_COLOR allow, left by keys and signals; and in ASCII
    without UTF-8."""
    # An arrow gives no character: the title's prompt is not answered by it.
    for environment, colours, end, status in [
            ("", None, ["Up", "Q"], 0),
            ("NO_COLOR=1", lambda sgr: ";1;" in sgr
             and not re.search(r";(3[0-8]|9[0-7]|4[0-8]|10[0-7]);", sgr), ["C-c"], 130),
            ("TERM=xterm", lambda sgr: ";36;" in sgr and ";1;" in sgr and ";96;" not in sgr,
             signal.SIGTERM, 143),
            ("TERM=xterm-256color", lambda sgr: ";96;" in sgr or ";38;5;14;" in sgr,
             signal.SIGHUP, 129),
            ("", None, signal.SIGSEGV, 139)]:
        game = Game(pane, binary, environment, runner_text=RUNNER_STAYING)
        line = next(line for line in pane.screen(escapes=True) if TAGLINE.strip() in line)
        # The parameters of the tagline's SGR sequences, each between semicolons.
        sgr = ";" + ";".join(re.findall(r"\x1b\[([0-9;]*)m", line)) + ";"
        expect(colours is None or colours(sgr), f"the tagline under {environment}: {line!r}")
        # The runner wrote its process id before it became the game.
        pane.keys(*end) if isinstance(end, list) else os.kill(int(read_text(game.file("pid"))), end)
        game.expect_exit(status)
    game = Game(pane, binary, "LC_ALL=C LANG=C")
    # Q at the pause line quits.
    for lines, drawn in [(pane.screen(), "#####"), (game.start_round(), "+===="),
                         (pane.keys("Escape", then="PAUSED"), "+====")]:
        expect(all(ord(character) < 0x7F for line in lines for character in line)
               and any(drawn in line for line in lines),
               f"only ASCII on the screen, and {drawn!r}:\n" + "\n".join(lines))
    pane.keys("Q")
    game.expect_exit(0)


def signals(pane, binary):
    """Every signal that would end the game gives the terminal back, then ends it as it would have;
    SIGPIPE does not end it, and a recording that cannot be written is an error at exit."""
    deadly = [signal.SIGQUIT, signal.SIGILL, signal.SIGTRAP, signal.SIGABRT, signal.SIGBUS,
              signal.SIGFPE, signal.SIGUSR1, signal.SIGUSR2, signal.SIGALRM, signal.SIGXCPU,
              signal.SIGXFSZ, signal.SIGVTALRM, signal.SIGPROF, signal.SIGSYS, signal.SIGIO,
              signal.SIGPWR, signal.SIGSTKFLT, signal.SIGRTMIN, signal.SIGRTMAX]
    for arguments, end, status, told in [
            *(([], [number], 128 + number, None) for number in deadly),
            ([], [signal.SIGPIPE, "Q"], 0, None),
            (["--record", "/dev/full"], ["Q"], 2, "mazewick: cannot write /dev/full: No space")]:
        game = Game(pane, binary, arguments=arguments, runner_text=RUNNER_STAYING)
        for step in end:
            pane.keys(step) if isinstance(step, str) else os.kill(int(read_text(game.file("pid"))),
                                                                   step)
        game.expect_exit(status)
        expect(told is None or told in "".join(pane.screen()), f"{told!r} on the screen")


def hangups(pane, binary):
    """The terminal closed twenty times over, at the title, in a round, paused and at the size
    notice, with hangups taken and ignored: each time the game is gone within two seconds, and
    one that ignores hangups has quit as at Q."""
    for turn in range(20):
        place = ["title", "round", "paused", "notice"][turn % 4]
        for ignored in (False, True):
            pane.resize(*((50, 30) if place == "notice" else (PANE_COLUMNS, PANE_ROWS)))
            game = Game(pane, binary, UNCHECKED_LEAKS if ignored else "",
                        runner_text=("trap '' HUP; " if ignored else "") + RUNNER_STAYING,
                        title=place != "notice")
            if place in ("round", "paused"):
                game.start_round()
            pane.keys(*(["Escape"] if place == "paused" else []),
                      then={"notice": TOO_SMALL, "paused": "PAUSED"}.get(place))
            pid, status = int(read_text(game.file("pid"))), game.file("status")
            pane.tmux("respawn-pane", "-k")
            deadline = time.monotonic() + HANGUP_SECONDS
            while processes.alive(pid) and time.monotonic() < deadline:
                time.sleep(0.02)
            what = f"turn {turn + 1}: the game {'ignoring' if ignored else 'taking'} hangups at " \
                   f"the {place}"
            expect(not processes.alive(pid), f"{what} {HANGUP_SECONDS} s after its terminal "
                   "closed: " + processes.describe(pid))
            if ignored:
                pane.wait_until("the game's status", lambda _: os.path.exists(status))
                expect_equal(read_text(status), "0\n", f"{what}: exit status")
            processes.reap()
            pane.wait_for_text(SHELL_PROMPT.strip())


def suspend_record(pane, binary):
    """A recorded round suspended and cut off by Ctrl-C, and its recording played on."""
    game, recording, live = recorded_game(pane, binary)
    game.start_round()
    type_at(pane, [(0.3, "a"), (0.1, ["C-z"])])
    pane.wait_for_text("Stopped")
    # While stopped, the shell has its terminal back.
    game.expect_terminal_restored(game.record_in_shell("stty -g", "stopped"))
    pane.type_line("fg")
    # The round comes back paused; Esc plays on.
    pane.wait_for_text("PAUSED")
    expect_equal(pane.show("pane_title"), GAME_TITLE, "terminal title after fg")
    pane.keys("Escape")
    pane.wait_for_board()
    type_at(pane, [(0.45, "w"), (0.25, "d"), (0, ["C-c"])])
    game.expect_exit(130)
    live_trace = read_text(live)
    expect(read_text(recording).endswith("\n") and live_trace.count("\n") > 5
           and sim_trace(recording).startswith(live_trace), "the live trace starts mazewick-sim's")


def sizes(pane, binary):
    """The notice while the terminal is too small, before the game began, at the title and in a
    round; the size asked."""
    output = os.path.join(pane.work_dir, "output")
    pane.tmux("pipe-pane", "-o", f"cat > {shlex.quote(output)}")
    pane.resize(50, 30)
    # A game that never began, quit at the notice (of a terminal that cannot be asked to grow) or
    # refused the terminal, leaves the files alone.
    kept, fresh = (os.path.join(pane.work_dir, name) for name in ("kept.rec", "fresh.trace"))
    with open(kept, "w", encoding="ascii") as out:
        out.write("0 s\n")
    for environment, status in [("TERM=vt100", 0), ("TERM=dumb", 1)]:
        game = Game(pane, binary, environment, ["--record", kept, "--trace", fresh], title=False)
        if status == 0:
            pane.wait_for_text(TOO_SMALL)
            pane.keys("q")
        game.expect_exit(status)
        expect(read_text(kept) == "0 s\n" and not os.path.exists(fresh), f"files after {status}")
    game = Game(pane, binary, title=False)
    pane.wait_for_text(TOO_SMALL, "This one is 50 x 30", "press Q or Ctrl-C to quit")
    # Keys typed at the notice do not reach the game: S would start a round.
    pane.keys("s")
    pane.resize(54, 40, TOO_SMALL, "This one is 54 x 40")
    lines = pane.resize(PANE_COLUMNS, PANE_ROWS, TAGLINE, PROMPT)
    expect(TOO_SMALL not in "".join(lines), "notice gone")
    game.start_round()
    pane.resize(50, 30, TOO_SMALL)
    pane.resize(PANE_COLUMNS, PANE_ROWS, "PAUSED")
    pane.keys("Escape")
    pane.wait_for_board()
    # Q at the notice quits through the quit path.
    pane.resize(50, 30, TOO_SMALL)
    pane.keys("q")
    game.expect_exit(0)
    game = Game(pane, binary, title=False)
    pane.wait_for_text(TOO_SMALL)
    pane.resize(55, 33, TAGLINE, PROMPT)
    pane.keys("q")
    game.expect_exit(0)

    with open(output, "rb") as written:
        asked = re.findall(rb"\x1b\[8;(\d+);(\d+)t", written.read())
    # Rows and columns: the size is given back only to the terminal that took the size asked for.
    expect_equal(asked, [(b"33", b"55")] * 2 + [(b"30", b"50")], "sizes asked for")


# Recordings: what a live game was given, replayed headless and on the terminal.

def run(command, environment=None):
    return subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                          timeout=WAIT_SECONDS, env=environment)


def sim_trace(script):
    result = run([os.environ["MAZEWICK_SIM"], "--trace", "-", script])
    expect_equal(result.returncode, 0, f"mazewick-sim status ({result.stderr.strip()})")
    return result.stdout


def type_at(pane, timed_keys):
    """Each (seconds, keys) waits that long, then types the keys."""
    for seconds, keys in timed_keys:
        time.sleep(seconds)
        pane.keys(*keys)


def recorded_game(pane, binary):
    """A game started with --record and --trace; it, the recording and the live trace."""
    recording, live = (os.path.join(pane.work_dir, name) for name in ("game.rec", "live.trace"))
    return Game(pane, binary, arguments=["--record", recording, "--trace", live]), recording, live


def record_replay(pane, binary):
    game, recording, live = recorded_game(pane, binary)
    pane.keys("x", then=INVALID)
    # A second game is refused the file this one writes.
    second = run([binary, "--trace", recording])
    expect_equal((second.returncode, second.stderr),
                 (2, f"mazewick: {recording} is being written by another game\n"), "a second game")
    # The arrow gives no character: the next read passes it and takes the y.
    pane.keys("Up", "y", then=PROMPT)
    game.start_round()
    # In a round the arrows and the capitals steer, and the recording holds their letters.
    type_at(pane, [(0.35, "a"), (0.8, "w"), (0.15, ["Up"]), (0.55, "D"), (0.05, ["Down", "w"]),
                   (1.1, ["Left"]), (0, ["Escape"])])
    # A lone Esc is a key at once, not the start of a sequence that never comes.
    pane.wait_for_text("PAUSED")
    # Esc plays on: the lives line comes back over the pause line.
    type_at(pane, [(0.4, "x"), (0.3, ["Escape"])])
    pane.wait_for_board()
    type_at(pane, [(0.45, "d"), (0.2, "s")])
    pane.wait_for_text(GAME_OVER_PROMPT, seconds=ROUND_SECONDS)
    for key, then in [("x", INVALID), ("z", GAME_OVER_PROMPT), ("Space", PROMPT)]:
        pane.keys(key, then=then)
    pane.keys("q")
    game.expect_exit(0)
    keys = read_text(recording)
    expect(f"# terminal {PANE_COLUMNS} x {PANE_ROWS}\n0 x\n" in keys, "header")
    expect(keys.count("\\k") == 1 and "D" not in keys.split("\n", 5)[-1],
           "the title's arrow without a character, the round's arrows and capitals as letters")
    live_trace = read_text(live)
    expect(live_trace.count("\n") > 100, "a trace of a whole round")
    expect_same_lines(sim_trace(recording), live_trace, "mazewick-sim's trace of the recording")
    replayed = os.path.join(pane.work_dir, "replay.trace")
    game = Game(pane, binary, arguments=["--replay", recording, "--trace", replayed], title=False)
    for text in (INVALID, "PAUSED", GAME_OVER_PROMPT):
        pane.wait_for_text(text, seconds=ROUND_SECONDS)
    game.expect_exit(0)
    expect_same_lines(read_text(replayed), live_trace, "the replay's trace")


def replay_demo_quit(pane, binary):
    # What the planner writes is a recording of its game.
    script, replayed = (os.path.join(pane.work_dir, name) for name in ("demo.rec", "replay.trace"))
    with open(script, "w", encoding="ascii") as out:
        subprocess.run([os.environ["MAZEWICK_AUTOPLAY"], "--max-ticks", "3000"], stdout=out,
                       check=True, timeout=WAIT_SECONDS)
    game = Game(pane, binary, arguments=["--replay", script, "--trace", replayed], title=False)
    pane.wait_for_board()
    # The keyboard neither steers nor pauses the game of a recording.
    type_at(pane, [(0.3, "a"), (0.3, ["Escape"]), (0.5, "q")])
    game.expect_exit(0)
    expect(not os.path.exists(pane.env["XDG_DATA_HOME"]), "a replay keeps no score")
    lines = read_text(replayed).split("\n")
    # Every pause but the last was played as recorded; the last one may have lost its keys.
    expect(len(lines) > 10 and sim_trace(script).startswith("\n".join(lines[:-2]) + "\n"),
           "the replay's trace starts mazewick-sim's")
    # A Ctrl+C written into a round ends the keys there, in the replay as in mazewick-sim.
    with open(script, "w", encoding="ascii") as out:
        out.write("0 s\n3 a\\x03d\n9 w\n")
    game = Game(pane, binary, arguments=["--replay", script, "--trace", replayed], title=False)
    # Without keys the player is caught three times; the game over screen then finds no key.
    game.expect_exit(0, ROUND_SECONDS)
    expect_same_lines(read_text(replayed), sim_trace(script), "the trace of a replayed Ctrl+C")


def scores(pane, binary):
    """Games quit at the pause are kept in XDG_DATA_HOME, over a damaged table too, which is set
    aside; where nothing can be written the player is told; --scores shows the table."""
    table = os.path.join(pane.env["XDG_DATA_HOME"], "mazewick", "scores")
    unwritable = os.path.join(pane.work_dir, "a-file")
    with open(unwritable, "w", encoding="ascii") as out:
        out.write("not a folder\n")
    for environment, told in [
            ("", r"Game 1: \d+ points, round 1: place 1 of the 10 best\."),
            # The second game has a place of its own, above or below the first.
            ("", r"Game 1: \d+ points, round 1: place [12] of the 10 best\."),
            (f"XDG_DATA_HOME={unwritable}", r"mazewick: the score could not be kept: .*a-file"),
            ("", r"mazewick: .*scores was damaged .*: set aside as .*scores\.damaged")]:
        if "damaged" in told:
            with open(table, "ab") as out:
                out.write(b"9990 7 2026-01-02 03:04\n\x00\xff")
        game = Game(pane, binary, environment)
        game.start_round()
        pane.keys("Escape", then="PAUSED")
        pane.keys("q")
        pane.wait_until(told, lambda lines: re.search(told, "".join(lines)))
        game.expect_exit(0)
    shown = run([binary, "--scores"], pane.env)
    expect(shown.returncode == 0 and re.search(r"1\. +9990 points +round +7 +2026-01-02 03:04",
                                               shown.stdout) and shown.stdout.count(" points") == 4,
           f"--scores: {shown.stdout}")


def command_line(pane, binary):
    """Runs without a terminal, with the files named refused before the terminal is looked at."""
    bad, backwards, missing, huge, big = (
        os.path.join(pane.work_dir, name)
        for name in ("bad.rec", "backwards.rec", "missing/game.rec", "huge.rec", "big.rec"))
    for path, text in ((bad, "0 s\nw\n"), (backwards, "0 s\n5 w\n3 a\n"),
                       (huge, "0 s\n18446744073709551616 w\n1 a\n"),
                       (big, "0 w\n" * (1 << 22) + "1 a\n")):
        with open(path, "w", encoding="ascii") as out:
            out.write(text)
    # One file under other names, and a file that a refused start must not make.
    fresh, link, hard = (os.path.join(pane.work_dir, name) for name in ("fresh", "link", "hard"))
    os.symlink(bad, link)
    os.link(bad, hard)
    # The arguments, the status, and how standard output and error begin ("": nothing written).
    for arguments, status, out, err in [
            (["--help"], 0, "Usage: mazewick", ""),
            (["--version"], 0, "Mazewick 1.0\n", ""),
            # --help wins over --version, and either over playing or --scores.
            (["--scores", "--trace", "t", "--version", "--help"], 0, "Usage: mazewick", ""),
            (["--scores", "--version"], 0, "Mazewick 1.0\n", ""),
            (["--trace", "a", "--trace", "b"], 2, "", "mazewick: --trace given twice\n"),
            (["--replay", ""], 2, "", "mazewick: --replay needs a file\n"),
            *(([option, ">/dev/full"], 2, "", "mazewick: cannot write to standard output: No space")
              for option in ("--help", "--version", "--scores")),
            (["--bogus"], 2, "", "mazewick: unknown argument '--bogus'\nUsage:"),
            (["--\x1b]0;pwned\x07\u0085"], 2, "",
             "mazewick: unknown argument '--\\x1b]0;pwned\\x07\\x85'\nUsage:"),
            (["--record", fresh], 1, "", "mazewick: standard input is not a terminal\n"),
            *((arguments, 2, "", f"mazewick: {message}\n") for arguments, message in [
                (["--replay", bad], f"{bad}:2: the pause count is not a decimal number"),
                (["--replay", backwards], f"{backwards}:3: the pause count goes back from 5 to 3"),
                (["--replay", huge], f"{huge}:2: a pause count past the largest, {2**64 - 1}"),
                (["--replay", "/dev/zero"], "/dev/zero:1: a line longer than 1048576 bytes"),
                (["--replay", big],
                 f"{big}:{(1 << 22) + 1}: the recording goes on past 16777216 bytes"),
                (["--replay", missing], f"cannot read {missing}: No such file or directory"),
                (["--replay", bad, "--record", bad], "--record and --replay cannot go together"),
                *((["--replay" if index else "--record", path, "--trace", other],
                   "--trace needs a file of its own")
                  for index, (path, other) in enumerate([(fresh, fresh.replace("/", "/./")),
                                                         (bad, link), (bad, hard)])),
                (["--replay", "-"], "--replay needs a file: standard input and output are the "
                 "terminal"),
                (["--trace", missing], f"cannot write {missing}: No such file or directory")])]:
        command = [binary, *(argument for argument in arguments if argument != ">/dev/full")]
        result = run(["sh", "-c", 'exec "$@" >/dev/full', "sh", *command]
                     if ">/dev/full" in arguments else command)
        expect_equal((result.returncode, result.stdout[:len(out) or None],
                      result.stderr[:len(err) or None]), (status, out, err),
                     f"mazewick {' '.join(arguments)}")
    expect(not re.search("mazewick-(sim|autoplay)", run([binary, "--help"]).stdout),
           "--help names only the installed program")
    expect(not os.path.exists(fresh) and read_text(bad) == "0 s\nw\n", "files after the refusals")


def main():
    cases = {case.__name__: case for case in (title, signals, hangups, suspend_record, sizes,
                                              record_replay, replay_demo_quit, scores,
                                              command_line)}
    if len(sys.argv) != 3 or sys.argv[2] not in cases:
        print(__doc__ + "Cases: " + " ".join(cases), file=sys.stderr)
        return 2
    processes.adopt_orphans_and_end_after(int(os.environ.get("MAZEWICK_TEST_SECONDS", "60")))
    work_dir = tempfile.mkdtemp(prefix="mzw-")
    try:
        cases[sys.argv[2]](Pane(work_dir), os.path.abspath(sys.argv[1]))
        return 0
    except (Failure, processes.TimedOut, subprocess.TimeoutExpired) as failure:
        games = [int(text) for path in glob.glob(os.path.join(work_dir, "*", "pid"))
                 if (text := read_text(path).strip()).isdigit()]
        print(f"FAIL {sys.argv[2]}: {failure}\n{processes.report(games)}", file=sys.stderr)
        return 1
    finally:
        processes.end_all()
        shutil.rmtree(work_dir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
