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


def manifests(path):
    """(name id, language, bytes) of every RT_MANIFEST resource of the PE file at path."""
    with open(path, "rb") as f:
        exe = f.read()
    (pe,) = struct.unpack_from("<I", exe, 0x3C)
    if exe[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", exe, pe + 6)
    optional = pe + 24
    directories = optional + (112 if struct.unpack_from("<H", exe, optional)[0] == 0x20B else 96)
    (rsrc_rva,) = struct.unpack_from("<I", exe, directories + 2 * 8)
    for i in range(sections):
        vsize, vaddr, raw_size, raw_ptr = struct.unpack_from("<IIII", exe, optional + optional_size + 40 * i + 8)
        if vaddr <= rsrc_rva < vaddr + max(vsize, raw_size):
            break
    else:
        raise ValueError("no resource section")
    offset = lambda rva: raw_ptr + rva - vaddr  # the file offset of an address in the section
    base = offset(rsrc_rva)

    def entries(directory):  # (id, target) of a resource directory, the target's high bit masked
        named, ids = struct.unpack_from("<HH", exe, base + directory + 12)
        return [(i, t & 0x7FFFFFFF) for i, t in (struct.unpack_from("<II", exe, base + directory + 16 + 8 * k)
                                                  for k in range(named + ids))]
    found = []
    for type_id, names in entries(0):
        for name_id, langs in entries(names) if type_id == RT_MANIFEST else []:
            for lang, data in entries(langs):
                rva, size = struct.unpack_from("<II", exe, base + data)
                found.append((name_id, lang, exe[offset(rva):offset(rva) + size]))
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
