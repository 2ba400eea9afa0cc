#!/usr/bin/env bash
# Installs what the tests need and this machine lacks, then builds and runs every test: the POSIX
# build, the same again under AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target
# for a minute, the Debian package, and the Windows builds: the 64-bit game under wine64 with its
# console probe, and the 32-bit game's checks (those that run it only where 32-bit programs run).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages tests
cmake --workflow --preset default
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
cmake --workflow --preset package
tests/package/check_package.sh build/package/mazewick_*.deb
cmake --workflow --preset windows-x64
if ! reason=$(tests/windows/runs-32-bit --wine); then
  echo "32-bit Windows game not run, only checked: $reason." >&2
fi
cmake --workflow --preset windows-x86
