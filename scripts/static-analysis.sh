#!/usr/bin/env bash
# clang-tidy (checks in .clang-tidy) and cppcheck (tools/cppcheck-suppressions.txt)
# over every source in src/, as the Windows build compiles them.
#   bash scripts/static-analysis.sh
# Configures its own trees under build/analysis for the compile commands, so it
# needs no earlier build. Exits non-zero on any finding.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
out=build/analysis
jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$out"

die() {
  echo "static analysis: FAILED: $*"
  exit 1
}

# The Windows tree compiles every source in src/, the pure rules included.
rm -rf "$out/win32"
cmake -S . -B "$out/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVELQUIN_TESTS=OFF >"$out/configure.log" 2>&1 ||
  die "configure (log: $out/configure.log)"

# clang has no CP932 execution charset, and the code sizes its Japanese texts in
# CP932 bytes. So clang-tidy reads a copy of src/ and res/ in which every
# non-ASCII character is spelt as the octal escapes of its CP932 bytes: literals
# keep the game's exact bytes (a trail byte 0x5C cannot turn into an escape),
# and line numbers stay as they are. Its commands are the mingw ones, retargeted.
gcc_include=$(echo | i686-w64-mingw32-g++-win32 -xc++ -E -v - 2>&1 |
  sed -n '/#include <...> search starts here/,/End of search list/p' | grep '^ ' | grep '/c++')
python3 - "$root" "$out" $gcc_include <<'PY' || die "preparing the clang-tidy sources"
import json, os, shlex, sys

root, out, cxx_include = sys.argv[1], sys.argv[2], sys.argv[3:]
mirror = os.path.join(root, out, "cp932")

def escape(text):
    def one(ch):
        if ord(ch) < 128:
            return ch
        try:
            data = ch.encode("cp932")
        except UnicodeEncodeError:
            data = ch.encode("utf-8")
        return "".join("\\%03o" % b for b in data)
    return "".join(one(ch) for ch in text)

for top in ("src", "res"):
    for folder, _, files in os.walk(os.path.join(root, top)):
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            source = os.path.join(folder, name)
            target = os.path.join(mirror, os.path.relpath(source, root))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(source, encoding="utf-8") as f:
                text = escape(f.read())
            with open(target, "w", encoding="ascii") as f:
                f.write(text)

def expand(args, directory):
    result = []
    for a in args:
        if a.startswith("@"):
            with open(os.path.join(directory, a[1:])) as f:
                result += expand(shlex.split(f.read()), directory)
        else:
            result.append(a)
    return result

def moved(a):
    for top in ("src", "res"):
        a = a.replace(os.path.join(root, top), os.path.join(mirror, top))
    return a

entries = []
files = []
with open(os.path.join(root, out, "win32", "compile_commands.json")) as f:
    for e in json.load(f):
        if not e["file"].startswith(os.path.join(root, "src") + os.sep):
            continue
        args = expand(shlex.split(e["command"]), e["directory"])[1:]
        args = [moved(a) for a in args
                if not a.startswith(("-fexec-charset", "-finput-charset", "-O"))]
        args = ["clang++", "--target=i686-w64-mingw32", "-nostdinc++"] + \
               [x for d in cxx_include for x in ("-isystem", d)] + args
        entries.append({"directory": e["directory"], "file": moved(e["file"]),
                        "arguments": args})
        files.append(moved(e["file"]))
os.makedirs(os.path.join(root, out, "tidy"), exist_ok=True)
with open(os.path.join(root, out, "tidy", "compile_commands.json"), "w") as f:
    json.dump(entries, f, indent=1)
with open(os.path.join(root, out, "tidy", "files.txt"), "w") as f:
    f.write("\n".join(files) + "\n")
PY
cp .clang-tidy "$out/cp932/.clang-tidy" || die "no .clang-tidy"

tidy_files=$(wc -l <"$out/tidy/files.txt")
tidy_log="$out/clang-tidy.log"
xargs -a "$out/tidy/files.txt" -P "$jobs" -n 1 \
  clang-tidy -p "$out/tidy" --quiet >"$tidy_log" 2>&1
tidy_rc=$?
# Back from the copy to the real paths; the columns of lines with Japanese differ.
sed -i "s|$root/$out/cp932/||g" "$tidy_log"
tidy_findings=$(grep -cE '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$tidy_log")

cppcheck_log="$out/cppcheck.log"
cppcheck_files=$(find src -name '*.cpp' | wc -l)
cppcheck --enable=warning,performance,portability --std=c++20 --language=c++ \
  --platform=win32A --library=windows --inline-suppr \
  --suppressions-list=tools/cppcheck-suppressions.txt \
  -I src -I res -D_WIN32 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -DSTRICT \
  -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -D_WIN32_IE=0x0600 \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
  -j "$jobs" --error-exitcode=1 --quiet src >"$cppcheck_log" 2>&1
cppcheck_rc=$?
cppcheck_findings=$(grep -cE '^[^ ]+:[0-9]+:[0-9]+: ' "$cppcheck_log")

summary="clang-tidy $tidy_files files, $tidy_findings findings; cppcheck $cppcheck_files files, $cppcheck_findings findings"
if [ $tidy_rc -ne 0 ] || [ "$tidy_findings" -ne 0 ] || [ $cppcheck_rc -ne 0 ] || [ "$cppcheck_findings" -ne 0 ]; then
  grep -E -A3 '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$tidy_log" | head -n 80
  head -n 40 "$cppcheck_log"
  die "$summary (logs: $tidy_log, $cppcheck_log)"
fi
echo "static analysis: ok: $summary"
