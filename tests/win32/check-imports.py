#!/usr/bin/env python3
"""Velquin.exe starts on every Windows the read-me names, from Windows XP SP3 on.

Usage: check-imports.py EXE LIST LATE_SOURCE...

The loader refuses a program that imports a function its Windows lacks, before
any of the program's code runs; Wine exports newer functions, so only reading the
file shows it. Checks that EXE is a 32-bit GUI program whose header XP accepts,
that every function it imports (and every function the LATE_SOURCEs load by name) is
in LIST and no newer than XP SP3, and that the late ones are not imported. A function
the list marks optional is called only where the system has it and may be newer.
"""
import re, shutil, subprocess, sys

ORDER = ["2000", "XP", "XPSP1", "XPSP2", "XPSP3", "Vista", "7", "8", "8.1", "10"]
OLDEST_NAMED = "XPSP3"

exe, listing, late_sources = sys.argv[1], sys.argv[2], sys.argv[3:]
objdump = shutil.which("i686-w64-mingw32-objdump") or "objdump"
header = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout

known = {}
for line in open(listing):
    fields = line.split("#")[0].split()
    if fields:
        dll, function, oldest, how = fields
        known[(dll.upper(), function)] = (oldest, how)

failures = []
def fail(message):
    failures.append(message)

field = lambda name: int(re.search(rf"^{name}\s+(\S+)", header, re.M).group(1), 16 if name == "Magic" else 10)
if field("Magic") != 0x10B:
    fail("not PE32")
if "Subsystem\t\t00000002" not in header:
    fail("not a GUI program")
for kind in ("OSystem", "Subsystem"):
    version = (field(f"Major{kind}Version"), field(f"Minor{kind}Version"))
    if version > (5, 1):
        fail(f"{kind} version {version[0]}.{version[1]}: Windows XP (5.1) refuses the file")

used = []
dll = None
for line in header.splitlines():
    if m := re.match(r"\s*DLL Name: (\S+)", line):
        dll = m.group(1)
    elif dll and (m := re.match(r"\s*[0-9a-f]+\s+\d+\s+(\S+)$", line)):
        used.append((dll, m.group(1), "import"))
    elif not line.strip():
        dll = None
for source in late_sources:
    text = open(source).read()
    # Find<...>(LateDlls.shell32, "ShellExecuteA") and WinmmFunction("PlaySoundA")
    for dll, function in re.findall(r'LateDlls\.(\w+), "(\w+)"', text) + re.findall(r'(Winmm)Function\("(\w+)"\)', text):
        used.append((dll + ".dll", function, "late"))
if not any(how == "import" for _, _, how in used):
    fail("no imports read: is this the right file?")

for dll, function, how in used:
    entry = known.get((dll.upper(), function))
    if entry is None:
        fail(f"{dll} {function} ({how}) is not in {listing}: look up its oldest Windows and add it")
    elif entry[1] != how and (entry[1], how) != ("optional", "late"):
        fail(f"{dll} {function} is {how}ed, but the list says it is reached by '{entry[1]}'")
    elif entry[1] != "optional" and ORDER.index(entry[0]) > ORDER.index(OLDEST_NAMED):
        fail(f"{dll} {function} needs Windows {entry[0]}; the game must start on Windows XP SP3")

for message in failures:
    print("FAIL:", message)
print(f"{len(used)} functions checked ({sum(h == 'late' for *_, h in used)} loaded late), {len(failures)} failures")
sys.exit(1 if failures else 0)
