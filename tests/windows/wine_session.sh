#!/usr/bin/env bash
# Runs the Windows executable under wine in a tmux pane and checks what its console shows.
#
#   wine_session.sh prefix WINEPREFIX            prepares the wine prefix (the first boot is slow)
#   wine_session.sh title-quit EXE WINEPREFIX    the title screen appears; Q ends with status 0
#   wine_session.sh round EXE WINEPREFIX         S starts a round: score line and maze walls
#   wine_session.sh run EXE WINEPREFIX           runs EXE, no console needed; its exit status
#
# WINE_BITS (32 or 64) picks wine's loader: the 64-bit one is called directly, since the wine
# wrapper picks the 32-bit one wherever it is installed, even where it cannot run. Where 32-bit
# programs cannot run, a 32-bit check says why and exits 77, which the tests take as skipped.
set -euo pipefail

case_name=${1:?usage: wine_session.sh prefix|title-quit|round|run [EXE] WINEPREFIX}
here=$(dirname "$0")
if [[ ${WINE_BITS:-32} == 64 ]]; then
  wine=/usr/lib/wine/wine64
else
  if ! reason=$("$here/runs-32-bit" --wine); then
    echo "skipped: $reason"
    exit 77
  fi
  wine=wine
fi
wineserver=/usr/lib/wine/wineserver
for tool in "$wine" "$wineserver" tmux timeout; do
  command -v "$tool" >/dev/null || { echo "$tool not found: install wine64 (and wine32) and tmux"; exit 1; }
done

export WINEDEBUG=-all
export LC_ALL=C.UTF-8

if [[ $case_name == prefix ]]; then
  export WINEPREFIX=${2:?missing WINEPREFIX}
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    timeout 600 "$wine" wineboot --init
  fi
  # The first boot goes on in the background until the wine server ends.
  timeout 600 "$wineserver" --wait
  exit 0
fi

exe=${2:?missing EXE}
export WINEPREFIX=${3:?missing WINEPREFIX}
if [[ $case_name == run ]]; then
  status=0
  timeout 120 "$wine" "$exe" </dev/null || status=$?
  timeout 60 "$wineserver" --wait || true
  exit "$status"
fi
work=$(mktemp -d)
socket="mazewick-wine-$$"
status_file="$work/status"

finish() {
  tmux -L "$socket" kill-server 2>/dev/null || true
  timeout 60 "$wineserver" --kill 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

show_pane() {
  echo "--- the console as it stands:"
  tmux -L "$socket" capture-pane -p -t game 2>/dev/null || true
  echo "---"
}

# Fails at once when wine reports a crash of the game or of its console.
check_no_crash() {
  if tmux -L "$socket" capture-pane -p -t game | grep -qF "Unhandled"; then
    echo "wine reported a crash"
    show_pane
    exit 1
  fi
}

# Waits until the pane shows a text; fails after the given seconds.
wait_for_text() {
  local text=$1 seconds=$2
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    if tmux -L "$socket" capture-pane -p -t game | grep -qF -- "$text"; then
      return 0
    fi
    check_no_crash
    sleep 0.5
  done
  echo "no \"$text\" after $seconds s"
  show_pane
  exit 1
}

# Waits until the game has ended and sets exit_status; fails after the given seconds.
wait_for_exit() {
  local seconds=$1
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    if [[ -s $status_file ]]; then
      exit_status=$(<"$status_file")
      return 0
    fi
    sleep 0.5
  done
  echo "the game did not end within $seconds s"
  show_pane
  exit 1
}

tmux -u -f /dev/null -L "$socket" new-session -d -s game -x 100 -y 45 \
  "'$wine' '$exe'; echo \$? > '$status_file'; sleep 600"

tagline=" The definitive text-based version of the popular game"
wait_for_text "$tagline" 120
wait_for_text "Press [S] to begin, and [Q] to quit:" 30
if ! tmux -L "$socket" capture-pane -p -e -t game | grep -qF -- $'\e[96m'"$tagline"; then
  echo "the title's tagline is not in bright cyan"
  tmux -L "$socket" capture-pane -p -e -t game | cat -v
  exit 1
fi

case $case_name in
  title-quit)
    tmux -L "$socket" send-keys -t game q
    wait_for_exit 60
    if [[ $exit_status != 0 ]]; then
      echo "exit status $exit_status after Q, expected 0"
      show_pane
      exit 1
    fi
    ;;
  round)
    tmux -L "$socket" send-keys -t game s
    wait_for_text "Score:" 30
    wait_for_text "1UP:" 10
    wait_for_text "╔═" 10
    wait_for_text "║" 10
    ;;
  *)
    echo "unknown case $case_name"
    exit 2
    ;;
esac
check_no_crash
echo "$case_name: passed"
