#!/usr/bin/env bash
# Builds and runs every test: the POSIX build, the same again under AddressSanitizer and
# UndefinedBehaviorSanitizer, each fuzz target for a minute, and the Windows builds when their
# tools are here: the 64-bit game under wine64 and its console probe, the 32-bit game's checks
# (those that run it only where 32-bit programs run).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --workflow --preset default
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
if command -v x86_64-w64-mingw32-g++ >/dev/null && [[ -x /usr/lib/wine/wine64 ]]; then
  cmake --workflow --preset windows-x64
else
  echo "64-bit Windows build skipped: it needs g++-mingw-w64-x86-64 and wine64 (see README)." >&2
fi
if command -v i686-w64-mingw32-g++ >/dev/null; then
  if ! reason=$(tests/windows/runs-32-bit --wine); then
    echo "32-bit Windows game not run, only checked: $reason." >&2
  fi
  cmake --workflow --preset windows-x86
else
  echo "32-bit Windows build skipped: it needs g++-mingw-w64-i686 (see README)." >&2
fi
