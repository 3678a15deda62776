#!/usr/bin/env bash
# Takes the README's pictures of the game on real desktops: for each one the intro over the
# desktop and the first question, from the desktop end-to-end run (tests/e2e/desktop_e2e.sh).
# GNOME's mutter shows the game as a Wayland client (qt6-wayland) and through Xwayland.
# Usage: tools/desktop-screenshots.sh [BIN_DIR]   (default build/bin; writes docs/images/desktop-*.png)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/bin}" && pwd)
out="$root/docs/images"
services="$root/tests/services"
work=$(mktemp -d)
export QUORVEL_SERVICES_DIR="$work/services"
cleanup() { "$services/stop-services" "$QUORVEL_SERVICES_DIR"; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$out"

"$services/start-pulse" "$QUORVEL_SERVICES_DIR" >/dev/null
for run in mutter:wayland mutter:xcb weston:wayland xfwm4:xcb; do
  desktop=${run%%:*} platform=${run#*:}
  if [ ! -s "$QUORVEL_SERVICES_DIR/$desktop/display" ]; then
    "$services/start-desktop" "$desktop" "$QUORVEL_SERVICES_DIR" || continue
  fi
  shots="$work/$desktop-$platform"
  "$services/with-services" "$root/tests/e2e/desktop_e2e.sh" "$bin" "$desktop" "$platform" "$shots" |
    grep -E 'lowest|FAILED|passed'
  for part in intro question; do
    if [ -s "$shots/$part.png" ]; then
      convert "$shots/$part.png" -resize 50% "$out/desktop-$desktop-$platform-$part.png"
      echo "wrote docs/images/desktop-$desktop-$platform-$part.png"
    fi
  done
done
