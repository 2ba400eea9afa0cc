#!/bin/sh
# Runs a short headless game in mazewick-sim under valgrind: any memory error, or memory lost
# for good, fails the test. Exit status 77 (skipped) when valgrind is not installed.
#
# Usage: valgrind_game.sh MAZEWICK_SIM SCRIPT
set -eu
if ! command -v valgrind >/dev/null 2>&1; then
  echo "valgrind is not installed: the headless game was not checked under it (skipped)."
  exit 77
fi
exec valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  "$1" "$2"
