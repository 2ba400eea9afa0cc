#!/usr/bin/env bash
# Installs what the tests need and this machine lacks, then builds and runs every test: the POSIX
# build, the same under AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target for a
# minute, the Windows builds under wine (the 64-bit game with its console probe; the 32-bit game,
# whose checks that run it are skipped where 32-bit programs cannot run) and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages tests
for preset in default sanitize fuzz windows-x64 windows-x86 package; do
  cmake --workflow --preset "$preset"
done
tests/package/check_package.sh build/package/mazewick_*.deb
