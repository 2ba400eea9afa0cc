#!/bin/sh
# valgrind_game.sh MAZEWICK_SIM SCRIPT: a short headless game under valgrind; any memory error, or
# memory lost for good, fails it. Exit status 77 (skipped) when valgrind is not installed.
command -v valgrind >/dev/null 2>&1 || { echo "valgrind is not installed (skipped)."; exit 77; }
exec valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  "$1" "$2"
