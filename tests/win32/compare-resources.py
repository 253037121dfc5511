#!/usr/bin/env python3
"""Compiles the resource script with windres and with llvm-rc (which follows rc.exe)
and compares the resources one by one: type, name, language, data bytes. Only the
differences in ALLOWED may remain. Arguments: see main()."""
import os, struct, subprocess, sys

# The differences that no script can remove, and why each is harmless.
ALLOWED = {
    'image number': 'each compiler numbers the single icon and cursor images itself: windres '
                    'counts icons and cursors apart, llvm-rc counts them together',
    'cursor depth': 'windres writes 1 plane of 1 bit into every cursor group entry whatever the '
                    'image; llvm-rc copies planes and bit count from the image',
    'memory flags': 'the .res flags (moveable, pure, discardable) are set by type differently '
                    'and do not reach the executable',
}
CURSOR, ICON, GROUP_CURSOR, GROUP_ICON = 1, 3, 12, 14


def read_res(path):
    """{(type, name, language): [memory flags, data]}; names are numbers or strings."""
    data, pos, out = open(path, 'rb').read(), 0, {}
    def ident(p):
        if data[p:p + 2] == b'\xff\xff':
            return struct.unpack_from('<H', data, p + 2)[0], p + 4
        end = p
        while data[end:end + 2] != b'\0\0':
            end += 2
        return data[p:end].decode('utf-16-le'), end + 2
    while pos < len(data):
        size, header = struct.unpack_from('<II', data, pos)
        kind, p = ident(pos + 8)
        name, p = ident(p)
        flags, language = struct.unpack_from('<HH', data, ((p + 3) & ~3) + 4)
        if size or kind or name:                    # not the empty entry that opens the file
            out[(kind, name, language)] = [flags, data[pos + header:pos + header + size]]
        pos = (pos + header + size + 3) & ~3
    return out


def detach_images(res):
    """Keys each icon and cursor image by its group and its place there instead of its
    number, and cuts from the group entries what may differ: {group: [(what, value)]}."""
    taken = {}
    for key in [k for k in res if k[0] in (GROUP_CURSOR, GROUP_ICON)]:
        group = bytearray(res[key][1])
        for i in range(struct.unpack_from('<H', group, 4)[0]):
            entry = 6 + 14 * i
            planes, bits, _, number = struct.unpack_from('<HHIH', group, entry + 4)
            image = (CURSOR if key[0] == GROUP_CURSOR else ICON, number, key[2])
            if image in res:
                res[(key, 'image', i)] = res.pop(image)
            taken.setdefault(key, []).append(('image number', number))
            struct.pack_into('<H', group, entry + 12, 0)
            if key[0] == GROUP_CURSOR:
                taken[key].append(('cursor depth', (planes, bits)))
                struct.pack_into('<HH', group, entry + 4, 0, 0)
        res[key][1] = bytes(group)
    return taken


def main(windres, llvm_rc, script, out, windows_h, defines, includes):
    """defines and includes: the build's own, each list in one argument split at blanks."""
    os.makedirs(out, exist_ok=True)
    w, l = os.path.join(out, 'windres.res'), os.path.join(out, 'llvm-rc.res')
    for f in [f for f in (w, l) if os.path.exists(f)]:     # no stale result can pass
        os.remove(f)
    d, i = [f'-D{x}' for x in defines.split()], [f'-I{x}' for x in includes.split()]
    subprocess.run([windres, '-O', 'res', *d, *i, script, w], check=True)
    # llvm-rc also takes options written with a slash, so an absolute path such as
    # /check/... would be read as the option /C: "--" ends the options.
    subprocess.run([llvm_rc, '-C', '65001', *d, f'-I{windows_h}', *i, '-FO', l, '--', script], check=True)
    a, b = read_res(w), read_res(l)
    ta, tb = detach_images(a), detach_images(b)
    bad, seen = not a, {}
    for key in sorted(set(a) | set(b), key=str):
        if key not in a or key not in b:
            print(f'DIFFERENT: {key} only from {"windres" if key in a else "llvm-rc"}')
            bad = True
        elif (x := a[key][1]) != (y := b[key][1]):
            at = next((n for n, (p, q) in enumerate(zip(x, y)) if p != q), min(len(x), len(y)))
            print(f'DIFFERENT: {key}: {len(x)} and {len(y)} bytes, first difference at offset {at}')
            bad = True
        elif a[key][0] != b[key][0]:
            seen.setdefault('memory flags', []).append(f'{key} {a[key][0]:#x}/{b[key][0]:#x}')
    for key in sorted(set(ta) & set(tb), key=str):
        for (what, x), (_, y) in zip(ta[key], tb[key]):
            if x != y:
                seen.setdefault(what, []).append(f'{key} {x}/{y}')
    for what, where in seen.items():
        print(f'allowed, {what} (windres/llvm-rc): {", ".join(where[:3])}{" ..." if where[3:] else ""}'
              f' in {len(where)}: {ALLOWED[what]}')
    print(f'{len(a)} resources compared, windres and llvm-rc: {"DIFFERENT" if bad else "the same"}')
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
