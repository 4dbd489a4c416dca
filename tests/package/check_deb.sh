#!/usr/bin/env bash
# check_deb.sh: makes the Debian package from the build tree and checks it: lintian finds no
# error (its warnings are shown), the control fields, and exactly the expected files.
# Usage: check_deb.sh BUILD_DIR WITH_DEMO(0|1)
set -eu
build=$1
with_demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/pilo_*.deb)

lintian --tag-display-limit 0 "$deb" > "$work/lintian" 2>&1 || true
cat "$work/lintian"
if grep -q '^E:' "$work/lintian"; then
    echo "FAIL: lintian reports errors"
    exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || { echo "FAIL: section '$(field Section)'"; exit 1; }
case $(field Maintainer) in
    "The Pilo developers <"*">") ;;
    *) echo "FAIL: maintainer '$(field Maintainer)'"; exit 1 ;;
esac
field Depends | grep -q 'libsdl2' || { echo "FAIL: no SDL in '$(field Depends)'"; exit 1; }

id=arpa.home.pilo
{
    echo ./usr/games/pilo
    [ "$with_demo" = 1 ] && echo ./usr/games/pilo-demo
    echo ./usr/share/applications/$id.desktop
    echo ./usr/share/metainfo/$id.metainfo.xml
    for size in 16 32 48 64 128 256; do
        echo ./usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    done
    echo ./usr/share/man/man6/pilo.6.gz
    [ "$with_demo" = 1 ] && echo ./usr/share/man/man6/pilo-demo.6.gz
    echo ./usr/share/doc/pilo/changelog.gz
    echo ./usr/share/doc/pilo/copyright
    echo ./usr/share/doc/pilo/pilo.txt
    echo ./usr/share/doc/pilo/x11-100dpi-sans-font.txt
} | sort > "$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort > "$work/got"
diff -u "$work/expected" "$work/got" || { echo "FAIL: the package's files differ"; exit 1; }

# Each icon is the size its folder names.
dpkg-deb -x "$deb" "$work/root"
for size in 16 32 48 64 128 256; do
    file "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" |
        grep -q "PNG image data, $size x $size," || { echo "FAIL: icon $size"; exit 1; }
done
echo "package check passed: $(basename "$deb")"
