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
archive = zipfile.ZipFile(sys.argv[1])
names = {n.split("/", 1)[1] for n in archive.namelist() if "/" in n}
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
# uvreport.exe runs in a console window; the others are windowed programs.
for entry in archive.namelist():
    name = entry.rsplit("/", 1)[-1]
    if name.endswith((".exe", ".lib")):
        image = archive.read(entry)
        pe = int.from_bytes(image[0x3C:0x40], "little")
        subsystem = int.from_bytes(image[pe + 24 + 68:pe + 24 + 70], "little")
        wanted_subsystem = 3 if name == "uvreport.exe" else 2
        if subsystem != wanted_subsystem:
            sys.exit(f"FAIL: {name} has subsystem {subsystem}, not {wanted_subsystem}")
PY
