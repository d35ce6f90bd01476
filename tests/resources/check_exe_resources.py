#!/usr/bin/env python3
"""Reads the resource section of a built veskal.exe and checks that what the
resource compiler embedded is what the program loads: the UTF-16 texts of the
string table and the menu (the script is UTF-8, so a wrong code page shows up
here), the icon and cursor groups with the images of res/, the manifest and
the version numbers.

    check_exe_resources.py EXE RES_DIR VERSION     (VERSION as 1.2.3)
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_CURSOR, RT_ICON, RT_MENU, RT_STRING = 1, 3, 4, 6
RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 12, 14, 16, 24
LANG_JAPANESE = 0x411

STRINGS = {103: "Veskal", 104: "Veskal（停止中）", 109: "VESKALClass", 110: "VESKALMUTEX"}
MENU_129 = [("popup", [
    (32775, "有効(&V)"), None, (32773, "設定(&C)..."), (32774, "始点へ移動(&O)"), None, (32771, "終了(&X)"),
])]
ICONS = {107: "veskal.ico", 108: "tray_enabled.ico", 109: "tray_stopped.ico"}
CURSOR_ID, CURSOR_FILE = 130, "move.cur"

failures = []


def Check(ok, what):
    print(("ok      " if ok else "FAILED  ") + what)
    if not ok:
        failures.append(what)


def ResourceSection(pe):
    """{(type, name, language): bytes} from a PE image."""
    if pe[:2] != b"MZ":
        raise ValueError("not an executable")
    header = struct.unpack_from("<I", pe, 0x3C)[0]
    sections, optionalSize = struct.unpack_from("<H12xH", pe, header + 6)
    optional = header + 24
    magic = struct.unpack_from("<H", pe, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    rsrcRva = struct.unpack_from("<I", pe, directories + 2 * 8)[0]
    table = []
    for i in range(sections):
        virtualSize, rva, rawSize, raw = struct.unpack_from("<IIII", pe, optional + optionalSize + 40 * i + 8)
        table.append((rva, max(virtualSize, rawSize), raw))

    def Offset(rva):
        for start, size, raw in table:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address outside every section")

    base = Offset(rsrcRva)
    found = {}

    def Walk(directory, path):
        named, numbered = struct.unpack_from("<12xHH", pe, base + directory)
        for k in range(named + numbered):
            name, target = struct.unpack_from("<II", pe, base + directory + 16 + 8 * k)
            if name & 0x80000000:
                length = struct.unpack_from("<H", pe, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = pe[start:start + 2 * length].decode("utf-16-le")
            if target & 0x80000000:
                Walk(target & 0x7FFFFFFF, path + [name])
            else:
                rva, size = struct.unpack_from("<II", pe, base + target)
                found[tuple(path + [name])] = pe[Offset(rva):Offset(rva) + size]

    Walk(0, [])
    return found


def Text(data, pos):
    """A NUL-terminated UTF-16 text and the position after it."""
    end = pos
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def StringTable(blocks):
    strings = {}
    for block, data in blocks.items():
        pos = 0
        for i in range(16):
            length = struct.unpack_from("<H", data, pos)[0]
            if length:
                strings[(block - 1) * 16 + i] = data[pos + 2:pos + 2 + 2 * length].decode("utf-16-le")
            pos += 2 + 2 * length
    return strings


def MenuItems(data, pos):
    """Items of a standard menu template up to the one flagged MF_END:
    (id, caption) for commands, None for separators, (caption, items) for
    popups; also whether any item carries a state flag."""
    items, flagged = [], False
    while True:
        flags = struct.unpack_from("<H", data, pos)[0]
        pos += 2
        flagged |= bool(flags & ~(0x10 | 0x80))
        if flags & 0x10:  # MF_POPUP
            caption, pos = Text(data, pos)
            sub, pos, subFlagged = MenuItems(data, pos)
            items.append((caption, sub))
            flagged |= subFlagged
        else:
            ident = struct.unpack_from("<H", data, pos)[0]
            caption, pos = Text(data, pos + 2)
            items.append(None if ident == 0 and caption == "" else (ident, caption))
        if flags & 0x80:  # MF_END
            return items, pos, flagged


def IcoImages(path):
    """[(width, height, word1, word2, image)] of an .ico or .cur file."""
    data = open(path, "rb").read()
    count = struct.unpack_from("<H", data, 4)[0]
    images = []
    for i in range(count):
        w, h, _, _, word1, word2, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images.append((w, h, word1, word2, data[offset:offset + size]))
    return images


def VersionBlock(data, pos):
    """(key, value bytes, children) of a VS_VERSIONINFO node."""
    length, valueLength, kind = struct.unpack_from("<HHH", data, pos)
    key, at = Text(data, pos + 6)
    at = (at + 3) & ~3
    size = valueLength * 2 if kind == 1 else valueLength
    value = data[at:at + size]
    at = (at + size + 3) & ~3
    children = []
    while at < pos + length:
        child = VersionBlock(data, at)
        children.append(child[:3])
        at = (at + child[3] + 3) & ~3
    return key, value, children, length


def main():
    exe, resDir, version = sys.argv[1:4]
    res = ResourceSection(open(exe, "rb").read())
    Check(all(lang == LANG_JAPANESE for (_, _, lang) in res if lang != 0), "every resource is Japanese")

    def Of(kind):
        return {name: data for (t, name, _), data in res.items() if t == kind}

    strings = StringTable(Of(RT_STRING))
    Check(strings == STRINGS, "string table: %r" % strings)

    menu = Of(RT_MENU).get(129)
    if menu is None:
        Check(False, "menu 129 present")
    else:
        items, _, flagged = MenuItems(menu, 4)
        Check(items == MENU_129, "menu 129: %r" % items)
        Check(not flagged, "menu 129 carries no check, grey or default state")

    groups = Of(RT_GROUP_ICON)
    icons = Of(RT_ICON)
    Check(sorted(groups) == sorted(ICONS), "icon groups %r" % sorted(groups))
    for ident, name in ICONS.items():
        group = groups.get(ident, b"\0" * 6)
        count = struct.unpack_from("<H", group, 4)[0]
        expected = IcoImages(resDir + "/" + name)
        embedded = []
        for i in range(count):
            w, h, colors, _, planes, bits, size, image = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            embedded.append((w, h, planes, bits, icons.get(image)))
        Check(embedded == expected, "icon %d holds the images of %s" % (ident, name))

    cursors = Of(RT_GROUP_CURSOR)
    group = cursors.get(CURSOR_ID, b"\0" * 6)
    w, h, planes, bits, size, image = struct.unpack_from("<HHHHIH", group, 6) if len(group) >= 20 else (0,) * 6
    data = Of(RT_CURSOR).get(image, b"\0" * 4)
    hot = struct.unpack_from("<HH", data, 0)
    (fw, fh, fx, fy, fimage), = IcoImages(resDir + "/" + CURSOR_FILE)
    Check((w, h) == (32, 64) and hot == (15, 15) and data[4:] == fimage,
          "cursor %d: 32x32, hot spot %r, image of %s" % (CURSOR_ID, hot, CURSOR_FILE))

    manifest = Of(RT_MANIFEST).get(1, b"")
    Check(manifest == open(resDir + "/veskal.manifest", "rb").read(), "manifest 1 is res/veskal.manifest")
    try:
        root = ET.fromstring(manifest)
        texts = {el.tag.split("}")[1]: (el.text or "").strip() for el in root.iter()}
        levels = [el.get("level") for el in root.iter() if el.tag.endswith("}requestedExecutionLevel")]
        Check(texts.get("dpiAwareness", "").startswith("PerMonitorV2") and texts.get("dpiAware") == "true/pm"
              and levels == ["asInvoker"], "manifest: per-monitor DPI aware, runs as invoker")
    except (ET.ParseError, IndexError) as e:
        Check(False, "manifest is well-formed XML (%s)" % e)

    info = Of(RT_VERSION).get(1)
    if info is None:
        Check(False, "version resource present")
    else:
        key, fixed, children, _ = VersionBlock(info, 0)
        signature, _, ms, ls, pms, pls = struct.unpack_from("<6I", fixed, 0)
        major, minor, patch = (int(p) for p in version.split("."))
        numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        Check(key == "VS_VERSION_INFO" and signature == 0xFEEF04BD and numbers == (major, minor, patch, 0)
              and (pms, pls) == (ms, ls), "file and product version %d.%d.%d.%d" % numbers)
        values = {}
        for name, _, tables in children:
            if name == "StringFileInfo":
                for _, _, entries in tables:
                    values.update({k: v.decode("utf-16-le").rstrip("\0") for k, v, _ in entries})
        Check(values.get("FileVersion") == version and values.get("ProductVersion") == version
              and values.get("OriginalFilename") == "veskal.exe", "version texts %r" % values)

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
