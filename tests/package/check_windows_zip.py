#!/usr/bin/env python3
"""tests/package/check_windows_zip.py ZIP MAZEWICK_X64_EXE MAZEWICK_X86_EXE: the Windows download
holds the two executables the Windows checks passed, as mazewick.exe and mazewick-x86.exe, and a
README.txt with Windows line ends, and nothing else; its 64-bit game, unpacked, runs under wine in
a tmux pane and quits with status 0 from the title. The wine prefix is wineprefix beside ZIP."""

import os
import shlex
import sys
import zipfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
import wine_checks  # noqa: E402
from wine_checks import PROMPT, TAGLINE, Pane, expect, expect_equal  # noqa: E402


def unpacked_game_quits(work, zip_path, x64, x86):
    with zipfile.ZipFile(zip_path) as download:
        expect_equal(sorted(download.namelist()),
                     ["README.txt", "mazewick-x86.exe", "mazewick.exe"], "the files in the zip")
        for name, tested in (("mazewick.exe", x64), ("mazewick-x86.exe", x86)):
            with open(tested, "rb") as exe:
                expect(download.read(name) == exe.read(), f"{name} is not {tested}")
        readme = download.read("README.txt")
        expect(readme.count(b"\n") == readme.count(b"\r\n") > 0,
               "README.txt has lines that do not end in CR LF")
        download.extractall(work)
    wine_checks.prefix(work)
    pane = Pane(work, 100, 45)
    exe = shlex.quote(os.path.join(work, "mazewick.exe"))
    pane.type_line(f"{wine_checks.wine_loader()} {exe}; echo exit status $?.")
    pane.wait_for_text(TAGLINE, PROMPT, seconds=120)
    pane.keys("q")
    pane.wait_for_text("exit status 0.", seconds=60)


if __name__ == "__main__":
    os.environ.update(WINE_BITS="64", WINEPREFIX=os.path.join(
        os.path.dirname(os.path.abspath(sys.argv[1])), "wineprefix"))
    wine_checks.CHECKS["windows-zip"] = unpacked_game_quits
    wine_checks.main("windows-zip", *sys.argv[1:])
