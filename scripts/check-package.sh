#!/usr/bin/env bash
# Makes the Windows zip of a build folder and checks that it holds what a
# user needs beside each other: the program, its companions and the manual.
# usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$1
(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(ls -t "$build"/uravik-*.zip | head -n 1)
python3 - "$zip" <<'PY'
import sys, zipfile
names = {n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist() if "/" in n}
wanted = {"uravik.exe", "uvreader.exe", "uvstat.lib", "aboutuv.exe", "uvmanual.txt"}
missing = wanted - names
print(f"{sys.argv[1]}: {', '.join(sorted(names))}")
if missing:
    sys.exit(f"FAIL: the zip lacks {', '.join(sorted(missing))}")
PY
