#!/usr/bin/env bash
# Installs what the tests need, then runs every test workflow: the POSIX build, the sanitizers,
# each fuzz target for a minute, both Windows builds under wine (the 32-bit checks that run the
# game are skipped where 32-bit programs cannot run), the Debian package and the Windows zip made
# from the executables those checks passed, and the web page in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages tests
for preset in default sanitize fuzz windows-x64 windows-x86 package windows-zip web; do
  cmake --workflow --preset "$preset"
done
tests/package/check_package.sh build/package/mazewick_*.deb
tests/package/check_windows_zip.py build/package/mazewick-*-windows.zip \
  build/windows-x64/mazewick.exe build/windows-x86/mazewick.exe
