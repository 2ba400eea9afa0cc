#!/usr/bin/env python3
"""Checks of the page in headless Chromium: web_checks.py CHECK ARGUMENTS.

They take MAZEWICK_SITE (the built site), MAZEWICK_SIM, MAZEWICK_AUTOPLAY and PROBE, and
ARTEFACTS, where the screenshots are kept. A check ends within MAZEWICK_TEST_SECONDS (300 by
default) and leaves no browser, driver or server behind.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path[:0] = [os.path.join(HERE, "..", "support"), os.path.join(HERE, "..", "e2e"),
                os.path.join(HERE, "..", "..", "tools")]
import processes  # noqa: E402
from probe_scripts import compare_with_sim, script_for  # noqa: E402
from terminal_e2e import Failure, expect  # noqa: E402
from web_session import PageError, WebSession  # noqa: E402

TITLE = "Press [S] to begin"
KEYS = {"escape": "\ue00c", "left": "\ue012"}
# What the page did with each key press: [key, whether the browser's own action was prevented].
HEAR_KEYS = ("window.heard = []; document.addEventListener('keydown', "
             "(event) => window.heard.push([event.key, event.defaultPrevented]));")


def same(work, case):
    """The probe writes mazewick-sim's frames, waits and final screen, byte for byte, and exits
    with its status."""
    difference, web, sim = compare_with_sim(
        work, "web", [os.environ["PROBE"]], [os.environ["MAZEWICK_SIM"]], script_for(case, work),
        ("frames", "waits", "screen"), ["--max-pauses", "5"] if case == "max-pauses" else [])
    expect(difference is None, difference)
    expect(web == sim, f"exit statuses {web} and {sim}")


def screen(page):
    return page.run("return document.getElementById('console').textContent")


def wait_until(condition, what, seconds=10):
    deadline = time.monotonic() + seconds
    while not condition():
        expect(time.monotonic() < deadline, what())
        time.sleep(0.05)


def wait_for_screen(page, text, present=True):
    wait_until(lambda: (text in screen(page)) == present,
               lambda: f"{text!r} {'never came' if present else 'stayed'}:\n{screen(page)}")


def player_glyph(page):
    """The player faces away from where it goes: > going left, < going right."""
    rows = screen(page).splitlines()[1:-1]
    return next((glyph for row in rows for glyph in "<>" if glyph in row), None)


def wait_for_player(page, glyph, key):
    wait_until(lambda: player_glyph(page) == glyph, lambda: f"{key} did not steer the player", 5)


def download_recording(page, work):
    page.click("#download")
    recording = os.path.join(work, "mazewick.rec")
    wait_until(lambda: os.path.isfile(recording), lambda: "no recording was downloaded")
    return recording


def hidden(work):
    """A hidden tab takes no ticks, and shown again it pauses the round as Esc does."""
    with WebSession(os.environ["MAZEWICK_SITE"], downloads=work) as page:
        page.open("index.html")
        wait_for_screen(page, TITLE)
        page.type_keys("s")
        wait_for_screen(page, "Score:")
        page.hide_for(3)
        wait_for_screen(page, "PAUSED")
        with open(download_recording(page, work)) as recording:
            lines = [line.split() for line in recording if not line.startswith("#")]
    # A tick is 100 ms: the 3 s hidden would have been 30 of them.
    expect(lines[-1][1] == "\\e" and int(lines[-1][0]) - int(lines[0][0]) < 20,
           f"the keys of the game: {lines}")


def keys(work, artefacts):
    """Key presses through the browser start a round, steer, pause, resume and quit it; the
    recording the page gives plays the same game in mazewick-sim."""
    with WebSession(os.environ["MAZEWICK_SITE"], downloads=work) as page:
        page.open("index.html")
        wait_for_screen(page, TITLE)
        expect(page.run("return document.title") == "Mazewick 1.0", "the tab's title")
        page.screenshot(os.path.join(artefacts, "title.png"))
        page.type_keys("s")
        wait_for_screen(page, "Score:")
        page.run(HEAR_KEYS)
        # In a round an arrow steers as its letter does, and scrolls nothing.
        page.type_keys(KEYS["left"])
        wait_for_player(page, ">", "the left arrow")
        page.type_keys("d")
        wait_for_player(page, "<", "d")
        page.type_keys("A")
        wait_for_player(page, ">", "A")
        heard = [key for key in page.run("return window.heard") if key[0] != "Shift"]
        expect(len(heard) == 3 and all(prevented for _, prevented in heard),
               f"keys left to the browser: {heard}")
        page.screenshot(os.path.join(artefacts, "round.png"))
        page.type_keys(KEYS["escape"])
        wait_for_screen(page, "PAUSED")
        page.type_keys(KEYS["escape"])
        wait_for_screen(page, "PAUSED", present=False)
        page.type_keys(KEYS["escape"])
        wait_for_screen(page, "PAUSED")
        page.type_keys("q")
        page.wait_for("return document.getElementById('line').textContent.includes('quit')")
        shown = screen(page)
        recording = download_recording(page, work)
    replayed = subprocess.run([os.environ["MAZEWICK_SIM"], "--screen", "-", recording],
                              capture_output=True, text=True, timeout=60)
    expect(replayed.returncode == 0, f"the recording replays with status {replayed.returncode}")
    rows = json.loads(replayed.stdout)["rows"]
    expect(rows == shown.splitlines(), f"the page ended at\n{shown}\nthe replay at\n" +
                                        "\n".join(rows))


def replay(work):
    """A recording plays on the page; one that cannot be loaded or read says so in one line and
    leaves the game at its title."""
    site = os.path.join(work, "site")
    os.mkdir(site)
    for name in os.listdir(os.environ["MAZEWICK_SITE"]):
        os.symlink(os.path.join(os.environ["MAZEWICK_SITE"], name), os.path.join(site, name))
    with open(os.path.join(site, "demo.rec"), "w") as demo:
        demo.write(subprocess.run([os.environ["MAZEWICK_AUTOPLAY"], "--max-ticks", "60"],
                                  capture_output=True, text=True, check=True).stdout)
    with open(os.path.join(site, "bad.rec"), "w") as bad:
        bad.write("0 s\nx\n")
    with WebSession(site) as page:
        page.open("index.html?replay=demo.rec")
        wait_for_screen(page, "Score:")
        for name, problem in (("missing.rec", "cannot be loaded"), ("bad.rec", "line 2")):
            page.open(f"index.html?replay={name}")
            wait_for_screen(page, TITLE)
            line = page.run("return document.getElementById('line').textContent")
            expect(problem in line and "\n" not in line, f"the line for {name}: {line!r}")


def main(check):
    processes.adopt_orphans_and_end_after(int(os.environ.get("MAZEWICK_TEST_SECONDS", "300")))
    artefacts = os.environ.get("ARTEFACTS", ".")
    os.makedirs(artefacts, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="mazewick-web-checks-") as work:
        try:
            if check == "keys":
                keys(work, artefacts)
            elif check == "replay":
                replay(work)
            elif check == "hidden":
                hidden(work)
            else:
                same(work, check)
        except (Failure, PageError, OSError, subprocess.SubprocessError,
                processes.TimedOut) as failure:
            sys.exit(f"{check}: failed: {failure}\n{processes.report()}")
        finally:
            processes.end_all()
    print(f"{check}: passed")


if __name__ == "__main__":
    main(*sys.argv[1:])
