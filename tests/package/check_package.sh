#!/usr/bin/env bash
# tests/package/check_package.sh PACKAGE.deb: what the package holds, that Debian's checkers find
# nothing wrong with it, that the game extracted from it runs, and, as root, that installing and
# removing it with dpkg leaves nothing behind.
set -euo pipefail
deb=${1:?usage: check_package.sh PACKAGE.deb}
fail() { echo "package check: $*" >&2; exit 1; }

expected=(./usr/games/mazewick ./usr/share/man/man6/mazewick.6.gz
          ./usr/share/doc/mazewick/README.md ./usr/share/doc/mazewick/copyright
          ./usr/share/doc/mazewick/changelog.gz ./usr/share/lintian/overrides/mazewick
          ./usr/share/applications/mazewick.desktop
          ./usr/share/metainfo/org.example.mazewick.metainfo.xml
          ./usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64}/apps/mazewick.png)
files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[[ $files == "$(printf '%s\n' "${expected[@]}" | sort)" ]] || fail "holds"$'\n'"$files"
dpkg-deb --field "$deb" Depends | grep -q libncursesw6 || fail "no ncurses among its dependencies"
gzip -t <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man6/mazewick.6.gz) ||
  fail "the man page is not gzipped"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work"
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
# It says nothing of a valid entry, and warns without failing.
desktop=$(desktop-file-validate "$work/usr/share/applications/mazewick.desktop" 2>&1) &&
  [[ -z $desktop ]] || fail "desktop-file-validate: $desktop"
# The metadata, with its file name and the desktop entry it names.
appstreamcli validate-tree --no-net "$work" || fail "the AppStream metadata is not valid"
"$(dirname "$0")/check_icons.py" "$work"
# Debian 12's dpkg-buildflags gives no control-flow protection, so that one is not asked for.
hardening-check --nocfprotection "$work/usr/games/mazewick" || fail "the game is not hardened"
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
