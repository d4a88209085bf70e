#!/usr/bin/python3
"""Compare parlanza-version with the version resource as pefile reads it.

Usage: compare-version-reader.py READER PATH...

READER is the parlanza-version command; each PATH is a file or a folder
(folders are walked, and only files starting with "MZ" are taken). For every
file the values the reader should print are computed from pefile's raw numbers
and compared with what the reader prints. Needs python3-pefile; no network.
"""
import os
import subprocess
import sys

import pefile

MEMBERS = ["Available", "StructureVersion", "FixedFileVersion",
           "FixedProductVersion", "FileFlags", "FileOS", "FileType",
           "FileSubtype", "LanguageName", "ProductVersion"]
FLAGS = [(0x01, "Debug"), (0x02, "PreRel"), (0x04, "Patched"),
         (0x08, "Private"), (0x10, "Info"), (0x20, "Special")]
OS_NAMES = {0x00010001: "DOS-Win16", 0x00010004: "DOS-Win32",
            0x00020002: "OS/2-16 PM-16", 0x00030003: "OS/2-16 PM-32",
            0x00040004: "NT-Win32"}
TYPES = {1: "Application", 2: "DLL", 3: "Driver", 4: "Font", 5: "VxD", 7: "Lib"}
DRIVERS = ["Unknown", "Printer drv", "Keyboard drv", "Language drv",
           "Display drv", "Mouse drv", "Network drv", "System drv",
           "Installable", "Sound drv", "Comm drv"]
FONTS = {1: "Raster Font", 2: "Vector Font", 3: "TrueType Font"}
ANY = "(any non-empty text)"


def version_text(ms, ls):
    major, minor, build, rev = ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF
    tail = f"{build:02d}{rev:02d}" if build > 0 else f"{rev:04d}"
    return f"{major}.{minor:02d}.{tail}"


def first_version_entry(pe):
    """Data entry of the first language of RT_VERSION name 1, or None."""
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for typ in resources.entries if resources else []:
        if typ.id != pefile.RESOURCE_TYPE["RT_VERSION"]:
            continue
        for name in typ.directory.entries:
            if name.id == 1 and name.directory.entries:
                return name.directory.entries[0].data.struct
    return None


def first_translation(pe, file_info):
    """First (language, code page) pair, read from the raw Var value.

    pefile's Var.entry keeps the last pair of the list, so the value is
    read again from the file."""
    for block in file_info:
        for var in getattr(block, "Var", []):
            entry = getattr(var, "entry", None)
            if not entry or list(entry)[0].lower() != b"translation":
                continue
            rva = pe.get_rva_from_offset(var.get_file_offset())
            rva += var.sizeof() + 2 * (len("Translation") + 1)
            data = pe.get_data((rva + 3) & ~3, 4)
            return (int.from_bytes(data[0:2], "little"),
                    int.from_bytes(data[2:4], "little"))
    return None


def expected(path):
    """Expected members, string-table lines and exit code; None members
    are not compared."""
    exp = {m: "" for m in MEMBERS}
    exp["Available"] = "False"
    try:
        pe = pefile.PE(path, fast_load=True)
        pe.parse_data_directories(directories=[
            pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    except OSError:
        return {}, None, 2, "unreadable"
    except pefile.PEFormatError:
        return exp, None, 1, "not a PE file"
    entry = first_version_entry(pe)
    if entry is None:
        return exp, None, 1, "no version resource"
    exp["Available"] = "True"
    infos = getattr(pe, "VS_VERSIONINFO", [])
    if not infos or infos[0].get_file_offset() != \
            pe.get_offset_from_rva(entry.OffsetToData):
        return {"Available": "True"}, None, 0, "pefile cannot parse it"
    note = ""
    fixed = pe.VS_FIXEDFILEINFO[0] if getattr(pe, "VS_FIXEDFILEINFO", []) \
        and len(pe.VS_FIXEDFILEINFO) == len(infos) else None
    if fixed is None or fixed.Signature != 0xFEEF04BD:
        # What the fixed members become then is left open: not compared.
        for m in MEMBERS[1:8]:
            exp[m] = None
        note = "no fixed information"
    else:
        sv = fixed.StrucVersion
        exp["StructureVersion"] = f"{sv >> 16}.{sv & 0xFFFF}"
        exp["FixedFileVersion"] = version_text(fixed.FileVersionMS,
                                               fixed.FileVersionLS)
        exp["FixedProductVersion"] = version_text(fixed.ProductVersionMS,
                                                  fixed.ProductVersionLS)
        exp["FileFlags"] = " ".join(n for b, n in FLAGS if fixed.FileFlags & b)
        exp["FileOS"] = OS_NAMES.get(fixed.FileOS, "Unknown")
        exp["FileType"] = TYPES.get(fixed.FileType, "Unknown")
        sub = fixed.FileSubtype
        if fixed.FileType == 3 and sub < len(DRIVERS):
            exp["FileSubtype"] = DRIVERS[sub]
        elif fixed.FileType == 4 and sub in FONTS:
            exp["FileSubtype"] = FONTS[sub]
    file_info = pe.FileInfo[0] if len(getattr(pe, "FileInfo", [])) == \
        len(infos) else []
    tables = [t for block in file_info for t in getattr(block, "StringTable", [])]
    lines = None
    trans = first_translation(pe, file_info)
    if trans:
        key = f"{trans[0]:04X}{trans[1]:04X}"
        exp["LanguageName"] = ANY  # from ICU: any non-empty text
        chosen = [t for t in tables if t.LangID.decode("ascii", "replace")
                  .upper() == key]
        if chosen:
            value = chosen[0].entries.get(b"ProductVersion", b"")
            exp["ProductVersion"] = value.decode("utf-8", "replace")
            text = "\n".join(f"{k.decode('utf-8', 'replace')}: "
                             f"{v.decode('utf-8', 'replace')}"
                             for k, v in chosen[0].entries.items())
            lines = [line for line in text.split("\n") if line]
        else:
            note = f"no string table {key}"
    else:
        note = "no translation"
    return exp, lines, 0, note


def run_reader(reader, path):
    proc = subprocess.run([reader, path], capture_output=True, timeout=30)
    out = proc.stdout.decode("utf-8", "replace").split("\n")
    got = {}
    for line in out[:len(MEMBERS)]:
        name, _, value = line.partition(": ")
        got[name] = value
    rest = [line for line in out[len(MEMBERS):] if line]
    return got, rest, proc.returncode


def compare(reader, path):
    exp, lines, code, note = expected(path)
    got, rest, rc = run_reader(reader, path)
    diffs = []
    if rc != code:
        diffs.append(("exit code", str(code), str(rc)))
    for m, want in exp.items():
        have = got.get(m)
        if want is None:
            continue
        if want == ANY and have:
            continue
        if have != want:
            diffs.append((m, want, have))
    if lines is not None and rest != lines:
        i = next((i for i, (a, b) in enumerate(zip(lines, rest)) if a != b),
                 min(len(lines), len(rest)))
        diffs.append(("string table line %d" % (i + 1),
                      lines[i] if i < len(lines) else "(end)",
                      rest[i] if i < len(rest) else "(end)"))
    return exp.get("Available") == "True", diffs, note


def gather(paths):
    for p in paths:
        if not os.path.isdir(p):
            yield p
            continue
        for root, _, files in os.walk(p):
            for f in sorted(files):
                full = os.path.join(root, f)
                if os.path.isfile(full) and not os.path.islink(full):
                    with open(full, "rb") as fh:
                        if fh.read(2) == b"MZ":
                            yield full


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    reader = sys.argv[1]
    total = with_res = bad = 0
    for path in gather(sys.argv[2:]):
        total += 1
        available, diffs, note = compare(reader, path)
        with_res += available
        extra = f" ({note})" if note else ""
        if not diffs:
            print(f"OK    {path}{extra}")
            continue
        bad += 1
        print(f"DIFF  {path}{extra}")
        for m, want, have in diffs:
            print(f"      {m}: expected {want!r}, got {have!r}")
    print(f"\nFiles compared: {total}; with version resource: {with_res}; "
          f"without: {total - with_res}; files with mismatches: {bad}")
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
