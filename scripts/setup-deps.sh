#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Velquin needs.
# Idempotent: does nothing when everything is already there. Needs root (or sudo).
set -euo pipefail

packages=(
  cmake make g++ googletest python3
  # the game: win32-thread compilers (no winpthread); the test programs: posix-thread ones
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  # the same for 64-bit Windows: the tests run that build where no 32-bit program can run
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb libx11-6 libxtst6 imagemagick x11-utils xauth   # libxtst6: the tests' X mouse
  locales fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
  sox zip unzip file
  chromium
  clang clang-tidy cppcheck libclang-rt-14-dev
  llvm-14   # llvm-rc, the second resource compiler of the tests (it preprocesses with clang)
)

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine reports code page 932 only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
