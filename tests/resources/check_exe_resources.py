#!/usr/bin/env python3
"""Reads the resource section of a built veskal.exe and checks that what the
resource compiler embedded is what the program loads: the UTF-16 texts of the
string table and the menu (the script is UTF-8, so a wrong code page shows up
here), the icon and cursor groups with the images of res/, the manifest and
the version numbers.

    check_exe_resources.py EXE RES_DIR VERSION     (VERSION as 1.2.3)
"""
import re
import struct
import sys
import xml.etree.ElementTree as ET

RT_CURSOR, RT_ICON, RT_MENU, RT_STRING = 1, 3, 4, 6
RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 12, 14, 16, 24
STRINGS = {103: "Veskal", 104: "Veskal（停止中）", 109: "VESKALClass", 110: "VESKALMUTEX"}
MENU_ITEMS = [(32775, "有効(&V)"), (32776, "地図を表示(&M)"), (0, ""), (32773, "設定(&C)..."), (32774, "始点へ移動(&O)"), (0, ""),
              (32771, "終了(&X)")]
ICONS = {107: "veskal.ico", 108: "tray_enabled.ico", 109: "tray_stopped.ico"}

failures = []


def Check(ok, what):
    print(("ok      " if ok else "FAILED  ") + what)
    if not ok:
        failures.append(what)


def Resources(pe):
    """{type: {id: bytes}} from the .rsrc section of a PE image, and the languages."""
    header = struct.unpack_from("<I", pe, 0x3C)[0]
    count, optionalSize = struct.unpack_from("<H12xH", pe, header + 6)
    sections = [struct.unpack_from("<8s4xI4xI", pe, header + 24 + optionalSize + 40 * i) for i in range(count)]
    rva, base = next((rva, raw) for name, rva, raw in sections if name.rstrip(b"\0") == b".rsrc")
    found = {}

    def Walk(directory, path):
        named, numbered = struct.unpack_from("<12xHH", pe, base + directory)
        for k in range(named + numbered):
            name, target = struct.unpack_from("<II", pe, base + directory + 16 + 8 * k)
            if target & 0x80000000:
                Walk(target & 0x7FFFFFFF, path + [name])
            else:  # type, id, language
                at, size = struct.unpack_from("<II", pe, base + target)
                languages.add(name)
                found.setdefault(path[0], {})[path[1]] = pe[base + at - rva:base + at - rva + size]

    languages = set()
    Walk(0, [])
    return found, sorted(languages)


def Utf16(text):
    return (text + "\0").encode("utf-16-le")


def main():
    exe, resDir, version = sys.argv[1:4]
    res, languages = Resources(open(exe, "rb").read())
    Of = lambda kind: res.get(kind, {})
    Check(languages == [0x411], "resource languages %r are Japanese only" % languages)

    strings = {}
    for block, data in Of(RT_STRING).items():
        for i in range(16):
            length = struct.unpack_from("<H", data)[0]
            if length:
                strings[(block - 1) * 16 + i] = data[2:2 + 2 * length].decode("utf-16-le")
            data = data[2 + 2 * length:]
    Check(strings == STRINGS, "string table %r" % strings)

    # One popup holding the items, none of them checked, greyed or default.
    menu = struct.pack("<HHH", 0, 0, 0x90) + Utf16("popup") + b"".join(
        struct.pack("<HH", 0x80 if item is MENU_ITEMS[-1] else 0, item[0]) + Utf16(item[1]) for item in MENU_ITEMS)
    actual = Of(RT_MENU).get(129, b"")
    Check(actual == menu, "menu 129 %r" % actual.decode("utf-16-le", "replace"))

    # A group is the file's directory with resource ids for file offsets.
    groups = Of(RT_GROUP_ICON)
    Check(sorted(groups) == sorted(ICONS), "icon groups %r" % sorted(groups))
    for ident, name in ICONS.items():
        ico, group = open(resDir + "/" + name, "rb").read(), groups.get(ident, b"")
        ids = [struct.unpack_from("<H", group, 18 + 14 * i)[0] for i in range((len(group) - 6) // 14)]
        entries = [ico[6 + 16 * i:22 + 16 * i] for i in range(struct.unpack_from("<H", ico, 4)[0])]
        images = [ico[offset:offset + size] for size, offset in (struct.unpack_from("<8xII", e) for e in entries)]
        Check(group == ico[:6] + b"".join(e[:12] + struct.pack("<H", n) for e, n in zip(entries, ids))
              and [Of(RT_ICON).get(n) for n in ids] == images, "icon %d holds the images of %s" % (ident, name))

    cur = open(resDir + "/move.cur", "rb").read()
    size, offset = struct.unpack_from("<II", cur, 14)
    group = Of(RT_GROUP_CURSOR).get(130, bytes(20))
    width, height, image = struct.unpack_from("<HH8xH", group, 6)
    data = Of(RT_CURSOR).get(image, bytes(4))
    hot = struct.unpack_from("<HH", data)
    Check((width, height, hot) == (32, 64, (15, 15)) and data[4:] == cur[offset:offset + size],
          "cursor 130: %dx%d, hot spot %r, image of move.cur" % (width, height // 2, hot))

    manifest = Of(RT_MANIFEST).get(1, b"")
    Check(manifest == open(resDir + "/veskal.manifest", "rb").read(), "manifest 1 is res/veskal.manifest")
    # Well-formed, or Windows refuses to start the exe.
    values = {el.tag.rpartition("}")[2]: el.get("level") or (el.text or "").strip()
              for el in ET.fromstring(manifest).iter()}
    Check(values.get("dpiAwareness", "").startswith("PerMonitorV2") and values.get("dpiAware") == "true/pm"
          and values.get("requestedExecutionLevel") == "asInvoker", "manifest: per-monitor DPI aware, as invoker")

    info = Of(RT_VERSION).get(1, b"")
    at = info.find(struct.pack("<I", 0xFEEF04BD))
    ms, ls, pms, pls = struct.unpack_from("<8x4I", info, at) if at >= 0 else (0,) * 4
    numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    Check(numbers == tuple(int(p) for p in version.split(".")) + (0,) and (pms, pls) == (ms, ls),
          "file and product version %d.%d.%d.%d" % numbers)
    texts = dict(re.findall(r"(\w+)\0+([^\0]+)\0", info.decode("utf-16-le", "replace")))
    wanted = {"FileVersion": version, "ProductVersion": version, "OriginalFilename": "veskal.exe"}
    texts = {key: texts.get(key) for key in wanted}
    Check(texts == wanted, "version texts %r" % texts)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
