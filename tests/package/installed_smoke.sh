#!/usr/bin/env bash
# installed_smoke.sh: installs the build tree under a DESTDIR with the prefix /usr and runs
# the desktop smoke test on the installed program.
# Usage: installed_smoke.sh BUILD_DIR LAYOUT
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR=$work cmake --install "$1" --prefix /usr > "$work/install.log" ||
    { cat "$work/install.log"; exit 1; }
/usr/bin/python3 "$(dirname "$0")/../e2e/pilo_smoke.py" "$work/usr/bin/pilo" "$2"
