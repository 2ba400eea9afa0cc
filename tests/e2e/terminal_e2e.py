#!/usr/bin/env python3
"""End-to-end tests of mazewick on a real terminal: tmux runs the game, send-keys types and
capture-pane reads the screen.

Usage: terminal_e2e.py MAZEWICK CASE

Every case that runs the game checks afterwards that the terminal is as it was: the same stty
settings, the cursor visible, the shell's screen back and the user's title back. Each case has a
tmux server of its own, so cases run in parallel and never touch a user's tmux. The cases of
recordings also run mazewick-sim and mazewick-autoplay, found through the environment variables
MAZEWICK_SIM and MAZEWICK_AUTOPLAY. Exit status 0 is a pass, 1 a failure.
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

WAIT_SECONDS = 10
PANE_COLUMNS = 80
PANE_ROWS = 40
USER_TITLE = "e2e-user-title"
GAME_TITLE = "Mazewick 1.0"
TAGLINE = " The definitive text-based version of the popular game"
PROMPT = "Press [S] to begin, and [Q] to quit:"
GAME_OVER_PROMPT = "to return to title"
INVALID = "Invalid selection, press any key to try again!"
# A round that nobody steers well is lost in about 12 seconds.
ROUND_SECONDS = 40
SHELL_PROMPT = "e2e$ "

# Starts the game in the pane: records the terminal settings and the process id, sets the
# user's title, then becomes the game, so that the game alone is the shell's job (a job with a
# second process would count as stopped as soon as that process stopped).
RUNNER = r"""
dir=$1
shift
stty -g > "$dir/before"
printf '\033]2;%s\007' "$TITLE"
echo $$ > "$dir/pid"
exec "$@"
"""

# For a game that outlives its terminal: hangups ignored as under nohup, and the status recorded
# by a shell that stays behind.
RUNNER_WITHOUT_TERMINAL = r"""
trap '' HUP
dir=$1
shift
sh -c 'echo $$ > "$0"; exec "$@"' "$dir/pid" "$@"
echo $? > "$dir/status.partial"
mv "$dir/status.partial" "$dir/status"
"""


class Failure(Exception):
    pass


class Pane:
    """One tmux server with one pane running an interactive shell."""

    def __init__(self, work_dir):
        self.work_dir = work_dir
        self.env = dict(os.environ)
        self.env.pop("TMUX", None)
        self.env["TMUX_TMPDIR"] = work_dir
        self.env["LC_ALL"] = "C.UTF-8"
        self.env["TITLE"] = USER_TITLE
        self.socket = "e2e"
        self.tmux("-f", "/dev/null", "new-session", "-d", "-x", str(PANE_COLUMNS), "-y",
                  str(PANE_ROWS),
                  f"env PS1={shlex.quote(SHELL_PROMPT)} bash --norc --noprofile -i")
        self.tmux("set-option", "-g", "window-size", "manual")
        self.wait_for_text(SHELL_PROMPT.strip())

    def tmux(self, *arguments):
        result = subprocess.run(["tmux", "-L", self.socket, *arguments], env=self.env,
                                capture_output=True, text=True, timeout=WAIT_SECONDS)
        if result.returncode != 0:
            raise Failure(f"tmux {' '.join(arguments)}: {result.stderr.strip()}")
        return result.stdout

    def kill(self):
        subprocess.run(["tmux", "-L", self.socket, "kill-server"], env=self.env,
                       capture_output=True, timeout=WAIT_SECONDS)

    def type_line(self, text):
        self.tmux("send-keys", "-l", text)
        self.tmux("send-keys", "Enter")

    def keys(self, *keys):
        self.tmux("send-keys", *keys)

    def screen(self, escapes=False):
        arguments = ["capture-pane", "-p"] + (["-e"] if escapes else [])
        return self.tmux(*arguments).split("\n")

    def show(self, variable):
        return self.tmux("display-message", "-p", "#{" + variable + "}").strip()

    def record_output(self, path):
        """Copies what programs write to the pane into a file from now on."""
        self.tmux("pipe-pane", "-o", f"cat > {shlex.quote(path)}")

    def resize(self, columns, rows):
        self.tmux("resize-window", "-x", str(columns), "-y", str(rows))

    def wait_until(self, what, condition, seconds=WAIT_SECONDS):
        deadline = time.monotonic() + seconds
        while True:
            lines = self.screen()
            if condition(lines):
                return lines
            if time.monotonic() > deadline:
                raise Failure(f"timed out waiting for {what}; the screen shows:\n" +
                              "\n".join(lines))
            time.sleep(0.1)

    def wait_for_text(self, *texts, seconds=WAIT_SECONDS):
        return self.wait_until(" and ".join(repr(text) for text in texts),
                               lambda lines: all(any(text in line for line in lines)
                                                 for text in texts), seconds)


class Game:
    """The game started in a pane through a runner."""

    def __init__(self, pane, binary, environment="", runner_text=RUNNER, arguments=()):
        self.pane = pane
        self.dir = tempfile.mkdtemp(dir=pane.work_dir)
        runner = os.path.join(self.dir, "runner.sh")
        with open(runner, "w", encoding="ascii") as out:
            out.write(runner_text)
        pane.type_line(f"clear; {environment} sh {shlex.quote(runner)} "
                       f"{shlex.quote(self.dir)} {shlex.quote(binary)} " +
                       " ".join(shlex.quote(argument) for argument in arguments))

    def file(self, name):
        return os.path.join(self.dir, name)

    def pid(self):
        """The game's process id; the runner wrote it before it became the game."""
        with open(self.file("pid"), encoding="ascii") as text:
            return int(text.read().strip())

    def wait_for_title_screen(self):
        lines = self.pane.wait_for_text(TAGLINE, PROMPT)
        expect_equal(self.pane.show("pane_title"), GAME_TITLE, "terminal title while playing")
        return lines

    def start_round(self):
        """S on the title screen, then the first frame of the round."""
        self.pane.keys("s")
        return self.pane.wait_for_text("Score:", "Lives:")

    def record_in_shell(self, command, name):
        """Has the shell in the pane write what the command prints to a file; its path."""
        path = self.file(name)
        partial = self.file(name + ".partial")
        self.pane.type_line(f"{command} > {shlex.quote(partial)}; "
                            f"mv {shlex.quote(partial)} {shlex.quote(path)}")
        wait_for_file(path, f"{command} in the shell")
        return path

    def read_status(self):
        with open(self.file("status"), encoding="ascii") as text:
            return int(text.read().strip())

    def expect_exit(self, status):
        """Waits for the shell to be back, then has it record the status and the settings."""
        self.pane.wait_until("the shell after the game",
                             lambda lines: any(line.strip() == SHELL_PROMPT.strip()
                                               for line in lines))
        self.record_in_shell("echo $?", "status")
        expect_equal(self.read_status(), status, "exit status")
        self.expect_terminal_restored(self.record_in_shell("stty -g", "after"))

    def expect_terminal_restored(self, stty_file):
        with open(self.file("before"), encoding="ascii") as before, \
                open(stty_file, encoding="ascii") as after:
            expect_equal(after.read(), before.read(), "stty -g")
        expect_equal(self.pane.show("cursor_flag"), "1", "cursor visible")
        expect_equal(self.pane.show("alternate_on"), "0", "alternate screen")
        expect_equal(self.pane.show("pane_title"), USER_TITLE, "terminal title")


def wait_until_true(what, condition):
    deadline = time.monotonic() + WAIT_SECONDS
    while not condition():
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.05)


def wait_for_file(path, what):
    wait_until_true(what, lambda: os.path.exists(path))


def expect_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: expected {expected!r}, got {actual!r}")


def expect_same_lines(actual, expected, what):
    """Like expect_equal for long texts: a difference is shown by its first line."""
    actual_lines = actual.split("\n")
    expected_lines = expected.split("\n")
    for number, (got, wanted) in enumerate(zip(actual_lines, expected_lines), 1):
        if got != wanted:
            raise Failure(f"{what}, line {number}: expected {wanted!r}, got {got!r}")
    expect_equal(len(actual_lines), len(expected_lines), f"{what}: lines")


def expect(condition, what):
    if not condition:
        raise Failure(what)


def expect_whole_frame(lines):
    """The score line, 31 rows of the board and the lives line, one under the other."""
    score_rows = [row for row, line in enumerate(lines) if "Score:" in line]
    lives_rows = [row for row, line in enumerate(lines) if "Lives:" in line]
    expect(len(score_rows) == 1 and len(lives_rows) == 1,
           "one score line and one lives line:\n" + "\n".join(lines))
    expect(lives_rows[0] - score_rows[0] == 32, "33 rows from score to lives")
    board = lines[score_rows[0] + 1:lives_rows[0]]
    expect(all(line.strip() for line in board), "no empty board row:\n" + "\n".join(lines))


def line_with(lines, text):
    for line in lines:
        if text in line:
            return line
    raise Failure(f"no line with {text!r}")


# The cases.

def title_quit(pane, binary):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    pane.keys("q")
    game.expect_exit(0)


def ctrl_c_title(pane, binary):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    pane.keys("C-c")
    game.expect_exit(130)


def signal_title(pane, binary, signal_number, status):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    os.kill(game.pid(), signal_number)
    game.expect_exit(status)


def sigterm_title(pane, binary):
    signal_title(pane, binary, 15, 143)


def sighup_title(pane, binary):
    signal_title(pane, binary, 1, 129)


def crash_title(pane, binary):
    signal_title(pane, binary, 11, 139)


def terminal_closed_title(pane, binary):
    # With hangups ignored, the closed terminal shows as the end of the input: the title screen
    # takes the quit path.
    game = Game(pane, binary, runner_text=RUNNER_WITHOUT_TERMINAL)
    game.wait_for_title_screen()
    pane.tmux("kill-pane")
    wait_for_file(game.file("status"), "the game's end")
    expect_equal(game.read_status(), 0, "exit status")


def ctrl_c_play(pane, binary):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    game.start_round()
    pane.keys("C-c")
    game.expect_exit(130)


def suspend_play(pane, binary):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    game.start_round()
    pane.keys("C-z")
    pane.wait_for_text("Stopped")
    # While stopped, the shell has its terminal back.
    game.expect_terminal_restored(game.record_in_shell("stty -g", "stopped"))
    pane.type_line("fg")
    pane.wait_until("the board after fg",
                    lambda lines: sum("Score:" in line or "Lives:" in line for line in lines) == 2)
    expect_whole_frame(pane.screen())
    expect_equal(pane.show("pane_title"), GAME_TITLE, "terminal title after fg")
    pane.keys("C-c")
    game.expect_exit(130)


def pause_play(pane, binary):
    # A lone Esc is a key at once, not the start of a sequence that never comes.
    game = Game(pane, binary)
    game.wait_for_title_screen()
    game.start_round()
    pane.keys("Escape")
    pane.wait_for_text("PAUSED")
    # Esc plays on: the lives line comes back over the pause line.
    pane.keys("Escape")
    pane.wait_until("the lives line after resuming",
                    lambda lines: any("Lives:" in line for line in lines)
                    and not any("PAUSED" in line for line in lines))
    pane.keys("Escape")
    pane.wait_for_text("PAUSED")
    pane.keys("Q")
    game.expect_exit(0)


def lang_c_play(pane, binary):
    game = Game(pane, binary, "LC_ALL=C LANG=C")
    game.wait_for_title_screen()
    lines = game.start_round()
    expect_whole_frame(lines)
    expect(all(ord(character) < 0x7F for line in lines for character in line),
           "only ASCII on the board:\n" + "\n".join(lines))
    expect(any("+====" in line for line in lines), "double walls as = and +")
    pane.keys("C-c")
    game.expect_exit(130)


def resize(pane, binary, in_round):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    if in_round:
        game.start_round()
    pane.resize(50, 30)
    pane.wait_for_text("needs a terminal of 55 x 33", "This one is 50 x 30",
                       "press Q or Ctrl-C to quit")
    # Keys typed at the notice do not reach the game: S would start a round.
    pane.keys("s")
    pane.resize(54, 40)
    pane.wait_for_text("needs a terminal of 55 x 33", "This one is 54 x 40")
    pane.resize(PANE_COLUMNS, PANE_ROWS)
    if in_round:
        pane.wait_for_text("Score:", "Lives:")
        expect_whole_frame(pane.screen())
        # Q at the notice quits through the quit path.
        pane.resize(50, 30)
        pane.wait_for_text("needs a terminal of 55 x 33")
        pane.keys("q")
        game.expect_exit(0)
    else:
        lines = pane.wait_for_text(TAGLINE, PROMPT)
        expect(not any("needs a terminal" in line for line in lines), "notice gone")
        pane.keys("q")
        game.expect_exit(0)


def resize_title(pane, binary):
    resize(pane, binary, False)


def resize_play(pane, binary):
    resize(pane, binary, True)


def size_requests(path):
    """The window sizes, as (rows, columns), that the game asked the terminal for."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as output:
        return [(int(rows), int(columns))
                for rows, columns in re.findall(rb"\x1b\[8;(\d+);(\d+)t", output.read())]


def size_request(pane, binary, granted):
    output = os.path.join(pane.work_dir, "output")
    pane.resize(50, 30)
    pane.record_output(output)
    game = Game(pane, binary)
    pane.wait_for_text("needs a terminal of 55 x 33")
    # Only the dimensions that are short grow.
    wait_until_true("the request for a larger window", lambda: size_requests(output) == [(33, 55)])
    if granted:
        pane.resize(55, 33)
    else:
        pane.resize(PANE_COLUMNS, PANE_ROWS)
    game.wait_for_title_screen()
    pane.keys("q")
    game.expect_exit(0)
    # The size is given back only to a terminal that took the size asked for.
    expect_equal(size_requests(output), [(33, 55), (30, 50)] if granted else [(33, 55)],
                 "window sizes asked for")


def size_request_granted(pane, binary):
    size_request(pane, binary, True)


def size_request_overridden(pane, binary):
    size_request(pane, binary, False)


COLOUR_SEQUENCE = re.compile(r"\x1b\[([0-9;]*)m")


def colour_codes(line):
    """The SGR parameters of a captured line, as a list of strings."""
    codes = []
    for match in COLOUR_SEQUENCE.finditer(line):
        codes.extend(match.group(1).split(";"))
    return codes


def lang_c(pane, binary):
    game = Game(pane, binary, "LC_ALL=C LANG=C")
    lines = game.wait_for_title_screen()
    expect(all(ord(character) < 0x7F for line in lines for character in line),
           "only ASCII on the screen:\n" + "\n".join(lines))
    expect(any("#####" in line for line in lines), "blocks shown as #")
    pane.keys("q")
    game.expect_exit(0)


def no_color(pane, binary):
    game = Game(pane, binary, "NO_COLOR=1")
    game.wait_for_title_screen()
    tagline = line_with(pane.screen(escapes=True), TAGLINE.strip())
    codes = colour_codes(tagline)
    expect("1" in codes, f"bright text in bold: {tagline!r}")
    coloured = [code for code in codes if re.fullmatch(r"3[0-7]|9[0-7]|4[0-7]|10[0-7]|38|48", code)]
    expect(not coloured, f"no colours: {tagline!r}")
    pane.keys("q")
    game.expect_exit(0)


def eight_colours(pane, binary):
    game = Game(pane, binary, "TERM=xterm")
    game.wait_for_title_screen()
    tagline = line_with(pane.screen(escapes=True), TAGLINE.strip())
    codes = colour_codes(tagline)
    expect("36" in codes and "1" in codes, f"cyan in bold: {tagline!r}")
    expect("96" not in codes, f"no bright colour codes: {tagline!r}")
    pane.keys("q")
    game.expect_exit(0)


def many_colours(pane, binary):
    game = Game(pane, binary, "TERM=xterm-256color")
    game.wait_for_title_screen()
    tagline = line_with(pane.screen(escapes=True), TAGLINE.strip())
    expect("\x1b[96m" in tagline or "\x1b[38;5;14m" in tagline, f"bright cyan: {tagline!r}")
    pane.keys("q")
    game.expect_exit(0)


def invalid_then_quit(pane, binary):
    game = Game(pane, binary)
    game.wait_for_title_screen()
    # An arrow key gives no character: the prompt is not answered by it.
    pane.keys("Up")
    pane.keys("x")
    pane.wait_for_text("Invalid selection, press any key to try again!")
    pane.keys("Escape")
    pane.wait_for_text(PROMPT)
    pane.keys("Q")
    game.expect_exit(0)


# Recordings: what a live game was given, replayed headless and on the terminal.

def tool(variable):
    path = os.environ.get(variable)
    expect(path, f"{variable} names no program")
    return path


def read_text(path):
    with open(path, encoding="utf-8") as text:
        return text.read()


def sim_trace(script):
    """The trace that mazewick-sim gives for a script."""
    result = run([tool("MAZEWICK_SIM"), "--trace", "-", script])
    expect_equal(result.returncode, 0, f"mazewick-sim status ({result.stderr.strip()})")
    return result.stdout


def type_at(pane, timed_keys):
    """Each (seconds, keys) waits that long, then types the keys."""
    for seconds, keys in timed_keys:
        time.sleep(seconds)
        pane.keys(*keys)


def record_replay(pane, binary):
    recording = os.path.join(pane.work_dir, "game.rec")
    live = os.path.join(pane.work_dir, "live.trace")
    game = Game(pane, binary, arguments=["--record", recording, "--trace", live])
    game.wait_for_title_screen()
    pane.keys("x")
    pane.wait_for_text(INVALID)
    # The arrow gives no character: the next read passes it and takes the y.
    pane.keys("Up", "y")
    pane.wait_for_text(PROMPT)
    game.start_round()
    type_at(pane, [(0.35, "a"), (0.8, "w"), (0.15, ["Up"]), (0.55, "d"), (0.05, ["s", "w"]),
                   (1.1, "a")])
    pane.keys("Escape")
    pane.wait_for_text("PAUSED")
    type_at(pane, [(0.4, "x"), (0.3, ["Escape"])])
    pane.wait_until("the lives line after resuming",
                    lambda lines: not any("PAUSED" in line for line in lines))
    type_at(pane, [(0.45, "d"), (0.2, "s")])
    pane.wait_for_text(GAME_OVER_PROMPT, seconds=ROUND_SECONDS)
    pane.keys("x")
    pane.wait_for_text(INVALID)
    pane.keys("z")
    pane.wait_for_text(GAME_OVER_PROMPT)
    pane.keys("Space")
    pane.wait_for_text(PROMPT)
    pane.keys("q")
    game.expect_exit(0)

    expect(f"# terminal {PANE_COLUMNS} x {PANE_ROWS}\n0 x\n" in read_text(recording), "header")
    live_trace = read_text(live)
    expect(live_trace.count("\n") > 100, "a trace of a whole round")
    expect_same_lines(sim_trace(recording), live_trace, "mazewick-sim's trace of the recording")

    replayed = os.path.join(pane.work_dir, "replay.trace")
    game = Game(pane, binary, arguments=["--replay", recording, "--trace", replayed])
    pane.wait_for_text(INVALID)
    pane.wait_for_text("PAUSED", seconds=ROUND_SECONDS)
    pane.wait_for_text(GAME_OVER_PROMPT, seconds=ROUND_SECONDS)
    game.expect_exit(0)
    expect_same_lines(read_text(replayed), live_trace, "the replay's trace")


def record_ctrl_c(pane, binary):
    recording = os.path.join(pane.work_dir, "game.rec")
    live = os.path.join(pane.work_dir, "live.trace")
    game = Game(pane, binary, arguments=["--record", recording, "--trace", live])
    game.wait_for_title_screen()
    game.start_round()
    type_at(pane, [(0.3, "a"), (0.45, "w"), (0.25, "d")])
    pane.keys("C-c")
    game.expect_exit(130)
    expect(read_text(recording).endswith("\n"), "whole lines")
    live_trace = read_text(live)
    expect(live_trace.count("\n") > 5, "a trace up to Ctrl-C")
    # The headless game goes on where the live one was cut off.
    expect(sim_trace(recording).startswith(live_trace), "the live trace starts mazewick-sim's")


def replay_refused(pane, binary):
    recording = os.path.join(pane.work_dir, "bad.rec")
    with open(recording, "w", encoding="ascii") as out:
        out.write("0 s\n5 w\n3 a\n")
    game = Game(pane, binary, arguments=["--replay", recording])
    message = f"mazewick: {recording}:3: the pause count goes back from 5 to 3"
    # A message wider than the pane goes on in the next line.
    pane.wait_until(repr(message), lambda lines: message in "".join(lines))
    game.expect_exit(2)


def replay_demo_quit(pane, binary):
    # What the planner writes is a recording of its game.
    script = os.path.join(pane.work_dir, "demo.rec")
    with open(script, "w", encoding="ascii") as out:
        subprocess.run([tool("MAZEWICK_AUTOPLAY"), "--max-ticks", "3000"], stdout=out, check=True,
                       timeout=WAIT_SECONDS)
    replayed = os.path.join(pane.work_dir, "replay.trace")
    game = Game(pane, binary, arguments=["--replay", script, "--trace", replayed])
    pane.wait_for_text("Score:", "Lives:")
    # The keyboard neither steers nor pauses the game of a recording.
    type_at(pane, [(0.3, "a"), (0.3, ["Escape"]), (0.5, "q")])
    game.expect_exit(0)
    lines = read_text(replayed).split("\n")
    # Every pause but the last was played as recorded; the last one may have lost its keys.
    expect(len(lines) > 10 and sim_trace(script).startswith("\n".join(lines[:-2]) + "\n"),
           "the replay's trace starts mazewick-sim's")


def run(command, stdin=subprocess.DEVNULL):
    return subprocess.run(command, stdin=stdin, capture_output=True, text=True,
                          timeout=WAIT_SECONDS)


def command_line(binary):
    help_run = run([binary, "--help"])
    expect_equal(help_run.returncode, 0, "--help status")
    expect(help_run.stdout.startswith("Usage: mazewick"), "--help prints usage")
    version_run = run([binary, "--version"])
    expect_equal(version_run.returncode, 0, "--version status")
    expect_equal(version_run.stdout, "Mazewick 1.0\n", "--version output")
    bad_run = run([binary, "--bogus"])
    expect_equal(bad_run.returncode, 2, "bad argument status")
    expect_equal(bad_run.stdout, "", "nothing on standard output")
    expect(bad_run.stderr.startswith("mazewick: unknown argument '--bogus'\nUsage:"),
           f"one-line error, then usage: {bad_run.stderr!r}")


def refused_files(binary):
    folder = tempfile.mkdtemp(prefix="mzw-")
    try:
        bad = os.path.join(folder, "bad.rec")
        missing = os.path.join(folder, "missing", "game.rec")
        with open(bad, "w", encoding="ascii") as out:
            out.write("0 s\nw\n")
        for arguments, message in [
                (["--replay", bad], f"{bad}:2: the pause count is not a decimal number"),
                (["--replay", missing], f"cannot read {missing}: No such file or directory"),
                (["--replay", bad, "--record", bad], "--record and --replay cannot go together"),
                (["--trace", missing], f"cannot write {missing}: No such file or directory")]:
            # Refused before the terminal is looked at: with no terminal, the status is still 2.
            result = run([binary, *arguments])
            expect_equal((result.returncode, result.stdout, result.stderr.split("\n")[0]),
                         (2, "", f"mazewick: {message}"), f"mazewick {' '.join(arguments)}")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def no_terminal(binary):
    result = run([binary])
    expect_equal(result.returncode, 1, "status without a terminal")
    expect_equal(result.stderr, "mazewick: standard input is not a terminal\n", "message")
    expect_equal(result.stdout, "", "nothing on standard output")


PANE_CASES = {
    "title_quit": title_quit,
    "ctrl_c_title": ctrl_c_title,
    "sigterm_title": sigterm_title,
    "sighup_title": sighup_title,
    "crash_title": crash_title,
    "terminal_closed_title": terminal_closed_title,
    "ctrl_c_play": ctrl_c_play,
    "suspend_play": suspend_play,
    "pause_play": pause_play,
    "lang_c_play": lang_c_play,
    "resize_title": resize_title,
    "resize_play": resize_play,
    "size_request_granted": size_request_granted,
    "size_request_overridden": size_request_overridden,
    "lang_c": lang_c,
    "no_color": no_color,
    "eight_colours": eight_colours,
    "many_colours": many_colours,
    "invalid_then_quit": invalid_then_quit,
    "record_replay": record_replay,
    "record_ctrl_c": record_ctrl_c,
    "replay_refused": replay_refused,
    "replay_demo_quit": replay_demo_quit,
}

PLAIN_CASES = {
    "command_line": command_line,
    "no_terminal": no_terminal,
    "refused_files": refused_files,
}


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in {**PANE_CASES, **PLAIN_CASES}:
        print(__doc__.strip(), file=sys.stderr)
        print("Cases: " + " ".join([*PANE_CASES, *PLAIN_CASES]), file=sys.stderr)
        return 2
    binary = os.path.abspath(sys.argv[1])
    case = sys.argv[2]
    try:
        if case in PLAIN_CASES:
            PLAIN_CASES[case](binary)
            return 0
        if shutil.which("tmux") is None:
            raise Failure("tmux is not installed")
        work_dir = tempfile.mkdtemp(prefix="mzw-")
        pane = None
        try:
            pane = Pane(work_dir)
            PANE_CASES[case](pane, binary)
        finally:
            if pane is not None:
                pane.kill()
            shutil.rmtree(work_dir, ignore_errors=True)
        return 0
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"FAIL {case}: {failure}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
