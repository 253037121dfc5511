#!/usr/bin/env bash
# Velquin.exe is one self-contained 32-bit GUI program: it imports system DLLs
# only (no libstdc++, libgcc or winpthread beside it), and only those the first
# frame needs: shell32, ole32 and winmm are loaded when a command first needs them.
set -uo pipefail
exe="$1"
objdump=$(command -v i686-w64-mingw32-objdump || command -v objdump)
header=$("$objdump" -p "$exe") || exit 1
grep -q 'Magic[[:space:]]*010b' <<<"$header" || { echo "not PE32"; exit 1; }
grep -q 'Subsystem[[:space:]]*00000002' <<<"$header" || { echo "not a GUI program"; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|SHLWAPI|MSVCRT|ADVAPI32)\.DLL$'
status=0
for dll in $(echo "$header" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
  if grep -Eq "$allowed" <<<"$(tr a-z A-Z <<<"$dll")"; then echo "imports $dll"; else echo "unexpected import: $dll"; status=1; fi
done
exit $status
