#!/bin/sh
# Prepares (or with "release", removes) a directory holding a ysave.dab that
# cannot be written: no write permission, which Wine shows as the read-only
# attribute, and immutable where the system allows it, since root writes
# through mere permissions and so would Wine run by root.
set -e
dir=$2
chattr -i "$dir/ysave.dab" 2>/dev/null || true
rm -rf "$dir"
[ "$1" = release ] && exit 0
mkdir -p "$dir"
printf '56   =Uppstarter\r\n312   =Timmar totalt\r\n05   =Minuter totalt\r\n48   =Sekunder totalt\r\n1200   =Applikationer totalt\r\n4000000\r\n\r\nSlut\r\n' >"$dir/ysave.dab"
chmod 0444 "$dir/ysave.dab"
chattr +i "$dir/ysave.dab" 2>/dev/null || true
