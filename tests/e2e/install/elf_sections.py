#!/usr/bin/env python3
"""elf_sections.py A B: names the sections of two ELF64 files whose bytes differ.

Tells where two builds that should agree part: .rodata for a path or a time
compiled in, .note.gnu.build-id for anything the linker saw, .qtresources or
.data for an embedded resource."""
import hashlib
import struct
import sys


def sections(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"\x7fELF" or data[4] != 2:
        raise SystemExit(f"{path}: not an ELF64 file")
    shoff, = struct.unpack_from("<Q", data, 0x28)
    shentsize, shnum, shstrndx = struct.unpack_from("<HHH", data, 0x3A)
    headers = [struct.unpack_from("<IIQQQQIIQQ", data, shoff + i * shentsize) for i in range(shnum)]
    names_at = headers[shstrndx][4]
    result = {}
    for name, kind, _, _, offset, size, *_ in headers:
        end = data.index(b"\0", names_at + name)
        label = data[names_at + name:end].decode() or "(null)"
        body = b"" if kind == 8 else data[offset:offset + size]  # SHT_NOBITS has no bytes
        result[label] = (size, hashlib.sha256(body).hexdigest())
    return result


def main():
    a, b = sections(sys.argv[1]), sections(sys.argv[2])
    for name in sorted(set(a) | set(b)):
        if a.get(name) != b.get(name):
            size_a = a[name][0] if name in a else "-"
            size_b = b[name][0] if name in b else "-"
            print(f"  {name}: {size_a} / {size_b} bytes")


if __name__ == "__main__":
    main()
