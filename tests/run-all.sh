#!/usr/bin/env bash
# Installs what the tests need, then runs every test workflow: the POSIX build, the sanitizers,
# each fuzz target for a minute, both Windows builds under wine (the 32-bit checks that run the
# game are skipped where 32-bit programs cannot run) and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages tests
for preset in default sanitize fuzz windows-x64 windows-x86 package; do
  cmake --workflow --preset "$preset"
done
tests/package/check_package.sh build/package/mazewick_*.deb
