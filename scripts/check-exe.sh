#!/usr/bin/env bash
# Checks a built Windows executable: its format, that it is a GUI program,
# and that it imports system DLLs only (no MinGW runtime beside it).
# usage: check-exe.sh FILE pe32|pe32+
set -euo pipefail
exe=$1
kind=$2
case "$kind" in
    pe32) format="PE32 executable"; objdump=i686-w64-mingw32-objdump ;;
    pe32+) format="PE32+ executable"; objdump=x86_64-w64-mingw32-objdump ;;
    *) echo "unknown kind $kind" >&2; exit 2 ;;
esac
description=$(file -b "$exe")
echo "$exe: $description"
case "$description" in
    "$format (GUI)"*) ;;
    *) echo "FAIL: expected $format (GUI)" >&2; exit 1 ;;
esac
system_dlls='^(kernel32|user32|gdi32|msvcrt|dwmapi|wtsapi32|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|version|api-ms-win-[a-z0-9-]+)\.dll$'
bad=0
while read -r dll; do
    if echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
        echo "  imports $dll"
    else
        echo "FAIL: imports $dll, which is not a system DLL" >&2
        bad=1
    fi
done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
exit $bad
