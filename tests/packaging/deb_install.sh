#!/usr/bin/env bash
# Unpacks the .deb that make_deb.sh built into a scratch root and starts the installed game there
# on a private Xvfb: from games/ it must find its data in share/quorvel-challenge/ and keep the
# player's progress in the player's own data folder, never in the installed one.
# Usage: deb_install.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/lib.sh"

begin_run

deb=$(ls "$build"/deb-package/*.deb 2>/dev/null | head -n1)
check "CPack made a .deb ($(basename "${deb:-none}"))" [ -n "$deb" ]
[ -n "$deb" ] || { checks_done; exit 1; }
check "the package depends on the Qt and GStreamer libraries" \
  grep -q "gstreamer1.0-plugins-good" <(dpkg-deb -f "$deb" Depends)

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/games/quorvel-challenge usr/bin/quorvel-bank usr/bin/quorvel-editor \
            usr/share/man/man6/quorvel-challenge.6.gz usr/share/man/man1/quorvel-bank.1.gz \
            usr/share/man/man1/quorvel-editor.1.gz usr/share/applications/org.quorvel.Editor.desktop \
            usr/share/icons/hicolor/256x256/apps/org.quorvel.Editor.png \
            usr/share/doc/quorvel-challenge/copyright usr/share/doc/quorvel-challenge/changelog.gz \
            usr/share/quorvel-challenge/DATA.ASC usr/share/quorvel-challenge/RIGHT.WAV \
            usr/share/applications/org.quorvel.Challenge.desktop \
            usr/share/metainfo/org.quorvel.Challenge.metainfo.xml \
            usr/share/icons/hicolor/256x256/apps/org.quorvel.Challenge.png; do
  check "installs /$file" [ -f "$root/$file" ]
done
check "the plain bank is not installed" [ ! -e "$root/usr/share/quorvel-challenge/DATANON.ASC" ]
check "the installed bank tool reads the installed bank" \
  grep -q '"number":1,' <("$root/usr/bin/quorvel-bank" dump "$root/usr/share/quorvel-challenge/DATA.ASC" 1)

check "the installed editor starts and explains itself" \
  grep -q "question bank" <(QT_QPA_PLATFORM=offscreen "$root/usr/bin/quorvel-editor" --help 2>/dev/null)

start_display 1024x768x24 || exit 1
export XDG_DATA_HOME="$work/home-data"
(cd / && exec "$root/usr/games/quorvel-challenge" >"$work/game.log" 2>&1) &
GAME_PID=$!
quiz=$(skip_to_quiz 15)
check "the installed game shows its quiz window" [ -n "$quiz" ]
sleep 0.5
press "$quiz" Escape; sleep 0.5
press "$quiz" Escape
wait_exit "$GAME_PID" 5; status=$STATUS
GAME_PID=
check "the installed game closes with status 0 (got $status)" [ "$status" = 0 ]
check "the progress is in the player's data folder" [ -f "$XDG_DATA_HOME/quorvel-challenge/USER.ASC" ]
check "nothing is written into the installed data folder" [ ! -e "$root/usr/share/quorvel-challenge/USER.ASC" ]
[ "$failed" -gt 0 ] && cat "$work/game.log"
checks_done
