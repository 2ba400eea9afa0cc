#!/usr/bin/env bash
# tests/package/check_package.sh PACKAGE.deb: what the package holds, that the game extracted
# from it runs, and, as root, that installing and removing it with dpkg leaves nothing behind.
set -euo pipefail
deb=${1:?usage: check_package.sh PACKAGE.deb}
fail() { echo "package check: $*" >&2; exit 1; }

expected=(./usr/games/mazewick ./usr/share/man/man6/mazewick.6.gz
          ./usr/share/doc/mazewick/README.md ./usr/share/doc/mazewick/copyright)
files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[[ $files == "$(printf '%s\n' "${expected[@]}" | sort)" ]] || fail "holds"$'\n'"$files"
dpkg-deb --field "$deb" Depends | grep -q libncursesw6 || fail "no ncurses among its dependencies"
gzip -t <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man6/mazewick.6.gz) ||
  fail "the man page is not gzipped"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work"
version=$("$work/usr/games/mazewick" --version)
[[ $version == *"$(dpkg-deb --field "$deb" Version)"* ]] || fail "--version says: $version"

if ((EUID != 0)) || dpkg-query -W mazewick >/dev/null 2>&1; then
  echo "package check: installing and removing skipped: that needs root, and no mazewick installed"
  exit 0
fi
dpkg --install "$deb" >/dev/null
/usr/games/mazewick --version >/dev/null || fail "the installed game does not run"
dpkg --purge mazewick >/dev/null
for file in "${expected[@]#.}" /usr/share/doc/mazewick; do
  [[ ! -e $file ]] || fail "$file is left after removing the package"
done
echo "package check: $deb passed"
