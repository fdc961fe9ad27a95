#!/usr/bin/env bash
# Takes the companions' screenshots (docs/screenshots/uvreader.png, the
# statistics' six views uvstat*.png, aboutuv.png) on a sample working
# directory, under a Wine session:
#   scripts/wine-session.sh companions/tools/take_screenshots.sh [NATIVE_BUILD [X64_BUILD]]
set -euo pipefail
cd "$(dirname "$0")/../.."
native=$(realpath "${1:-build/native}")
x64=$(realpath "${2:-build/mingw-x64}")
out=$(realpath docs/screenshots)
mkdir -p "$out"

# In the prefix's drive C, so the about box shows a plausible folder.
: "${WINEPREFIX:?run this under scripts/wine-session.sh}"
work="$WINEPREFIX/drive_c/Uravik"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
# A month of short runs, so that run headings show in the reader, a run past
# midnight, and a last line cut short as a crash would leave it.
"$native/make_sample_log" "$work" 900 "$(date +%F)" 30
# A run past midnight, so the reader shows a record's date change.
printf '%s\r\n' "$(printf '=%.0s' $(seq 170))" \
    "WINDOWS START=  $(date -d yesterday +%F)   23:59:40     Uppstart nr=  31        " \
    '             1           0:00:01         999:00:01        23:59:41           0:03:12    WINDOWS' \
    '             2           0:00:35         999:00:35        00:00:15           0:00:34    Brev.txt - Anteckningar' \
    >>"$work/ytime.dab"
printf '%s' '             3           0:00:4' >>"$work/ytime.dab"
# One title hidden by the privacy list.
printf '%b\r\n' '# dolda f\xf6nster' '*Bildvisaren*' >"$work/uvdolt.txt"
# Category rules as Notepad saves them by default: UTF-8 with its mark.
printf '%b\r\n' '\xef\xbb\xbf# KATEGORI = M\xc3\x96NSTER, f\xc3\xb6rsta regeln som passar g\xc3\xa4ller' \
    'Kontor = *Kalkylprogram*' 'Kontor = *Ordbehandlare*' 'Kontor = *Anteckningar*' \
    'Kommunikation = *E-post*' 'Kommunikation = Chatt:*' 'Webb = *Webbl\xc3\xa4sare' \
    'Filer = Utforskaren*' >"$work/uvkategori.txt"
cp "$x64/uvreader.exe" "$x64/uvstat.lib" "$x64/aboutuv.exe" "$work/"

# Runs one program in the virtual desktop, photographs the screen and crops
# the picture to the desktop's windows.
shoot() {
    local name=$1
    shift
    (cd "$work" && wine "$@" >/dev/null 2>&1 &)
    sleep 8
    import -window root "$work/$name-screen.png"
    wineserver -k 2>/dev/null || true
    convert "$work/$name-screen.png" -crop 1024x768+0+0 +repage \
        -bordercolor "$(convert "$work/$name-screen.png" -format '%[pixel:p{1000,740}]' info:)" \
        -border 1 -trim +repage "$out/$name.png"
    echo "$out/$name.png"
}

shoot uvreader uvreader.exe ytime.dab
shoot uvstat uvstat.lib title month
shoot uvstat-app uvstat.lib app
shoot uvstat-category uvstat.lib category month
shoot uvstat-day uvstat.lib day
shoot uvstat-hour uvstat.lib hour month
shoot uvstat-run uvstat.lib run week
shoot aboutuv aboutuv.exe
