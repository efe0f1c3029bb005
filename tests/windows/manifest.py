#!/usr/bin/env python3
"""Reads the application manifest back from the resources of a built orbix.exe and checks what
it declares to Windows: common controls version 6, not DPI aware, and GDI scaling.

usage: manifest.py ORBIX_EXE
Exit status 1 when the manifest is missing or says otherwise.
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_MANIFEST = 24
CREATEPROCESS_MANIFEST_RESOURCE_ID = 1
ASM = "{urn:schemas-microsoft-com:asm.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2017 = "{http://schemas.microsoft.com/SMI/2017/WindowsSettings}"


def resources(exe):
    """The resource section's bytes, its RVA, and a function from RVA to file offset."""
    (pe,) = struct.unpack_from("<I", exe, 0x3C)
    if exe[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", exe, pe + 6)
    optional = pe + 24
    (magic,) = struct.unpack_from("<H", exe, optional)
    directories = optional + (112 if magic == 0x20B else 96)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", exe, directories + 2 * 8)
    table = optional + optional_size
    for i in range(sections):
        vsize, vaddr, raw_size, raw_ptr = struct.unpack_from("<IIII", exe, table + 40 * i + 8)
        if vaddr <= rsrc_rva < vaddr + max(vsize, raw_size):
            start = raw_ptr + (rsrc_rva - vaddr)
            return exe[start:start + rsrc_size], lambda rva: raw_ptr + (rva - vaddr)
    raise ValueError("no resource section")


def entries(rsrc, offset):
    """(id or name offset, is_directory, target offset) of a resource directory."""
    named, ids = struct.unpack_from("<HH", rsrc, offset + 12)
    out = []
    for k in range(named + ids):
        name, target = struct.unpack_from("<II", rsrc, offset + 16 + 8 * k)
        out.append((name, bool(target & 0x80000000), target & 0x7FFFFFFF))
    return out


def manifests(path):
    with open(path, "rb") as f:
        exe = f.read()
    rsrc, file_offset = resources(exe)
    found = []
    for type_id, is_dir, types in entries(rsrc, 0):
        if type_id != RT_MANIFEST or not is_dir:
            continue
        for name_id, is_dir2, langs in entries(rsrc, types):
            for lang, is_dir3, data in entries(rsrc, langs) if is_dir2 else []:
                rva, size = struct.unpack_from("<II", rsrc, data)
                start = file_offset(rva)
                found.append((name_id, lang, exe[start:start + size]))
    return found


def main(argv):
    found = manifests(argv[1])
    if [m[0] for m in found] != [CREATEPROCESS_MANIFEST_RESOURCE_ID]:
        print(f"wanted one manifest of id 1, found ids {[m[0] for m in found]}", file=sys.stderr)
        return 1
    root = ET.fromstring(found[0][2])
    problems = []
    controls = [a for a in root.iter(ASM + "assemblyIdentity")
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    if not any(a.get("version") == "6.0.0.0" and a.get("publicKeyToken") == "6595b64144ccf1df" for a in controls):
        problems.append("no dependency on Common Controls 6.0.0.0")
    for tag, want in ((SETTINGS_2005 + "dpiAware", "false"), (SETTINGS_2017 + "gdiScaling", "true")):
        got = [e.text.strip().lower() for e in root.iter(tag) if e.text]
        if got != [want]:
            problems.append(f"{tag.split('}')[1]} is {got or 'missing'}, wanted {want}")
    for p in problems:
        print(p, file=sys.stderr)
    if not problems:
        print(f"manifest of {len(found[0][2])} bytes, language {found[0][1]}: common controls 6, "
              "dpiAware false, gdiScaling true")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
