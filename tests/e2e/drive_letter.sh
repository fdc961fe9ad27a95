#!/bin/sh
# Prepares (or with "release", removes) a folder and a drive letter of the
# Wine prefix mapped onto it, as subst maps one on Windows: the same folder
# under a second name.
set -e
dir=$2
link=${WINEPREFIX:-$HOME/.wine}/dosdevices/$3
rm -rf "$dir"
rm -f "$link"
[ "$1" = release ] && exit 0
mkdir -p "$dir"
ln -s "$dir" "$link"
