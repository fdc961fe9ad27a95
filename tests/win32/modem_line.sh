#!/bin/sh
# Makes (or with "release", removes) a stand-in serial port COM5 in the Wine
# prefix: a dosdevices link to a plain file on drive C. Holding that file
# open stands in for a modem connection; deleting it leaves the link
# dangling, as an unplugged adapter leaves its port name behind.
set -e
prefix=${WINEPREFIX:-${URAVIK_WINEPREFIX:-/tmp/uravik-wine}}
line=$prefix/drive_c/uravik-modem-line
rm -f "$prefix/dosdevices/com5" "$line"
[ "$1" = release ] && exit 0
"$(dirname "$0")/../../scripts/wine-prefix.sh"
: >"$line"
ln -s "$line" "$prefix/dosdevices/com5"
