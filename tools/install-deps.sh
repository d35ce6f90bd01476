#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if missing.
set -eu
PACKAGES=(
    cmake ninja-build g++ python3 libgtest-dev libgmock-dev googletest libbenchmark-dev valgrind
    clang libclang-rt-14-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 xvfb xdotool x11-utils xcompmgr imagemagick locales fonts-ipafont-gothic
)
SUDO=
[[ $(id -u) -eq 0 ]] || SUDO=sudo
# The 32-bit exes run under Wine too, where the kernel runs 32-bit programs:
# wine32 comes from the i386 architecture. A kernel without it refuses them
# (some virtual machines have it off), and an installed wine32 would then
# take every `wine` command with it: it goes, and Wine runs 64-bit alone.
if "$(dirname "$0")/runs32.sh"; then
    PACKAGES+=(wine32:i386)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "adding the i386 architecture (for wine32)"
        $SUDO dpkg --add-architecture i386
    fi
elif dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    echo "removing wine32: this kernel runs no 32-bit programs"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq wine32:i386 >/dev/null
fi
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The end-to-end suite runs Wine in the Japanese locale (ANSI code page 932),
# and its English rows in the American one (code page 1252).
for wanted in ja_JP en_US; do
    locale -a 2>/dev/null | grep -qix "$wanted\.utf-\?8" && continue
    echo "generating locale $wanted.UTF-8"
    $SUDO sed -i "s/^# *\($wanted\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
done
