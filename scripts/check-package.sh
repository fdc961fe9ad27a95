#!/usr/bin/env bash
# Makes the Windows zip of a build folder and checks that it holds what a
# user needs beside each other: the program, its companions and the manual,
# and no data file, so that unzipping over an install keeps the user's data.
# usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$1
(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(ls -t "$build"/uravik-*.zip | head -n 1)
python3 - "$zip" <<'PY'
import sys, zipfile
names = {n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist() if "/" in n}
wanted = {"uravik.exe", "uvreader.exe", "uvstat.lib", "aboutuv.exe", "uvreport.exe",
          "uvmanual.txt"}
missing = wanted - names
data = {n for n in names if n.lower().rsplit("/", 1)[-1] in
        {"ysave.dab", "ytime.dab", "yhist.dab", "uvdolt.txt"} or n.lower().endswith(".dab")}
print(f"{sys.argv[1]}: {', '.join(sorted(names))}")
if missing:
    sys.exit(f"FAIL: the zip lacks {', '.join(sorted(missing))}")
if data:
    sys.exit(f"FAIL: the zip holds data files that would overwrite a user's: {', '.join(sorted(data))}")
PY
