#!/usr/bin/env bash
# Installs what building and testing Uravik needs on Debian 12, once.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 file          # build tools
    libgtest-dev libgmock-dev googletest        # unit tests (native and cross)
    libbenchmark-dev                            # benchmarks
    clang libclang-rt-14-dev                    # libFuzzer targets and their sanitizer runtimes
    clang-format                                # the one code style, checked by the test command
    g++-mingw-w64                               # Windows cross compilers
    wine wine64 xvfb xauth fonts-wine           # running the Windows builds here
    fonts-liberation                            # the sans-serif face Wine picks for the window's text
    imagemagick                                 # screenshots
    xdotool                                     # real input for the away end-to-end test
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
