#!/usr/bin/env bash
# Debian's own checker on the .deb that make_deb.sh built: no error and no warning; the
# informational and pedantic remarks are printed for the record.
# Usage: deb_lintian.sh BUILD_DIR
set -u
deb=$(ls "$1"/deb-package/*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { echo "no .deb in $1/deb-package: make_deb.sh builds it"; exit 1; }
lintian --info --display-level '>=pedantic' --fail-on error,warning "$deb"
