#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Velquin needs.
# Idempotent: does nothing when everything is already there. Needs root (or sudo).
#
# A mirror in the middle of a sync can fail to deliver one package list (seen: the
# i386 list of the security updates, "File has unexpected size"). Then the lists
# that did arrive are used, and where the 32-bit Wine cannot be installed from
# them, everything else is: the scripts then run the 64-bit build (wine-env.sh),
# and a later run, with the mirror whole again, installs the 32-bit Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The one package of the list that only the 32-bit path needs; what it alone
# depends on comes with it.
wine32=wine32:i386
packages=(
  cmake make g++ googletest python3
  # the game: win32-thread compilers (no winpthread); the test programs: posix-thread ones
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  # the same for 64-bit Windows: the tests run that build where no 32-bit program can run
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine "$wine32" wine64 fonts-wine
  xvfb libx11-6 libxtst6 imagemagick x11-utils xauth   # libxtst6: the tests' X mouse
  locales fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
  sox zip unzip file
  chromium
  clang clang-tidy cppcheck libclang-rt-14-dev
  llvm-14   # llvm-rc, the second resource compiler of the tests (it preprocesses with clang)
)
# Why the 32-bit Wine is missing, for wine-env.sh to say; gone once it is installed.
wine32_note="$root/build/wine32-not-installed.txt"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

# apt-get update, tried twice; a list that still fails is named and left out.
update_lists() {
  local log failed
  log=$(mktemp)
  for attempt in 1 2; do
    if $SUDO apt-get update -q >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
  done
  failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' "$log" | sort -u | paste -sd ' ' -)
  echo "setup: apt-get update failed twice; lists not downloaded: ${failed:-$(grep -m1 '^E: ' "$log")}; going on with the lists that arrived"
  rm -f "$log"
}

# apt-get install of the packages given, its output shown and kept in $install_log.
install_log=$(mktemp)
trap 'rm -f "$install_log"' EXIT
install() {
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "$@" 2>&1 | tee "$install_log"
  return "${PIPESTATUS[0]}"
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  update_lists
  if ! install "${missing[@]}"; then
    # apt's first words on it: the first unmet dependency of a 32-bit package, else its first error.
    why=$({ grep -m1 -E '^ *[^ ]+:i386 : (Pre)?Depends: ' "$install_log" || grep -m1 '^E: ' "$install_log"; } |
      sed -e 's/^E: //' -e 's/  */ /g' -e 's/^ //' || true)
    rest=()
    for p in "${missing[@]}"; do [ "$p" = "$wine32" ] || rest+=("$p"); done
    # A failure that the 32-bit Wine did not cause stops here, with apt's own words.
    if [ ${#rest[@]} = ${#missing[@]} ] || { [ ${#rest[@]} -gt 0 ] && ! install "${rest[@]}"; }; then
      exit 1
    fi
    mkdir -p "$(dirname "$wine32_note")"
    echo "${why:-apt-get could not install $wine32}" >"$wine32_note"
    echo "setup: 32-bit Wine could not be installed: $(cat "$wine32_note"); installed the rest"
  fi
fi
installed "$wine32" && rm -f "$wine32_note"

# Wine reports code page 932 only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
