#!/usr/bin/env bash
# Builds and runs every test: the POSIX build, the same again under AddressSanitizer and
# UndefinedBehaviorSanitizer, each fuzz target for a minute, and the 32-bit Windows build under
# wine when its tools are here.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --workflow --preset default
cmake --workflow --preset sanitize
cmake --workflow --preset fuzz
if command -v i686-w64-mingw32-g++ >/dev/null && command -v wine >/dev/null; then
  cmake --workflow --preset windows-x86
else
  echo "Windows build skipped: it needs g++-mingw-w64-i686, wine and wine32:i386 (see README)." >&2
fi
