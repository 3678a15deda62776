#!/usr/bin/env bash
# Builds the .deb with CPack into BUILD_DIR/deb-package/ (replacing an earlier one) and prints
# its file name, its size and the size it installs.
# Usage: make_deb.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
out="$build/deb-package"
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out.log" 2>&1) || { cat "$out.log"; exit 1; }
deb=$(ls "$out"/*.deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, installs $(dpkg-deb -f "$deb" Installed-Size) KiB"
