#!/usr/bin/env python3
"""Checks a built Tallimor.exe: PE header, imported DLLs and every resource.

Usage: check_exe.py PATH --machine i386|amd64 [--dump]
Prints one "ok: ..."/"FAIL: ..." line per check; exits 0 only if all pass.
The PE file (PE32 or PE32+) is parsed here with the standard library only.
"""
import argparse
import struct
import sys
from collections import namedtuple

WS_CHILD, WS_VISIBLE, WS_DISABLED = 0x40000000, 0x10000000, 0x08000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_VSCROLL, WS_GROUP, WS_TABSTOP, WS_CLIPCHILDREN = 0x00200000, 0x00020000, 0x00010000, 0x02000000
WS_EX_TRANSPARENT, WS_EX_APPWINDOW = 0x00000020, 0x00040000
DS_3DLOOK, DS_SETFONT, DS_MODALFRAME, DS_CENTER = 0x4, 0x40, 0x80, 0x800
SS_RIGHT = 0x2
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX, BS_AUTORADIOBUTTON, BS_FLAT = 0, 1, 7, 9, 0x8000
ES_CENTER, ES_MULTILINE, ES_AUTOVSCROLL, ES_AUTOHSCROLL = 1, 4, 0x40, 0x80
ES_READONLY, ES_NUMBER = 0x800, 0x2000

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION = 3, 5, 14, 16
LANG_JA = 0x0411
MACHINES = {"i386": (0x14C, 0x10B), "amd64": (0x8664, 0x20B)}  # machine, magic
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC"}

# ---- what the dialog must look like ---------------------------------------
DIALOG_STYLE = (WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN
                | DS_CENTER | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK)
DIALOG_TITLE = "Tallimor - 目指せ！VORHALT！"
DIALOG_FONT = (9, 400, 0, 128, "MS UI Gothic")  # points, weight, italic, charset, face
RO_FIELD = ES_READONLY | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_GROUP
ROW_BUTTON = BS_PUSHBUTTON | BS_FLAT | WS_TABSTOP
ROWS = 11

def item(cls, ident, text, x, y, cx, cy, style, ex_style=0):
    return dict(cls=cls, id=ident & 0xFFFFFFFF, text=text, x=x, y=y, cx=cx, cy=cy,
                style=WS_CHILD | WS_VISIBLE | style, ex_style=ex_style, help_id=0, extra=0)

def expected_items():
    items = [item("STATIC", 126 + k, "", 7, 11 + 16 * k, 51, 12, SS_RIGHT) for k in range(ROWS)]
    items += [item("EDIT", 137 + k, "", 84, 7 + 16 * k, 30, 14, RO_FIELD) for k in range(ROWS)]
    items += [item("EDIT", 152 + k, "", 115, 7 + 16 * k, 30, 14, RO_FIELD) for k in range(ROWS)]
    for k in range(ROWS):
        y = 7 + 16 * k
        items.append(item("BUTTON", 100 + k, "無", 59, y, 12, 14, ROW_BUTTON))
        items.append(item("BUTTON", 111 + k, "殺", 71, y, 12, 14,
                          ROW_BUTTON | (WS_DISABLED if k >= 9 else 0)))
    items += [
        item("BUTTON", -1, "加算値", 147, 9, 100, 28, BS_GROUPBOX, WS_EX_TRANSPARENT),
        item("BUTTON", 164, "+1", 166, 20, 24, 12, BS_AUTORADIOBUTTON | WS_TABSTOP),
        item("BUTTON", 165, "", 202, 20, 12, 12, BS_AUTORADIOBUTTON | WS_TABSTOP),
        item("EDIT", 163, "", 216, 18, 24, 14, ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL
             | WS_BORDER | WS_TABSTOP | WS_DISABLED),
        item("STATIC", -1, "無力化累計 ... (A)", 147, 47, 55, 8, SS_RIGHT),
        item("EDIT", 151, "", 205, 43, 40, 14, RO_FIELD),
        item("STATIC", -1, "殺害累計x2 ... (B)", 147, 63, 55, 8, SS_RIGHT),
        item("EDIT", 149, "", 205, 59, 40, 14, RO_FIELD),
        item("STATIC", -1, "A - B", 179, 79, 22, 12, SS_RIGHT),
        item("EDIT", 148, "", 205, 75, 40, 14, RO_FIELD),
        item("BUTTON", 122, "クリア", 147, 78, 19, 12, BS_PUSHBUTTON | WS_TABSTOP),
        item("EDIT", 150, "", 147, 92, 98, 76, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL
             | WS_VSCROLL | WS_BORDER | WS_TABSTOP),
        item("BUTTON", 125, "UNDO", 147, 170, 23, 12, BS_PUSHBUTTON | WS_TABSTOP),
        item("BUTTON", 124, "REDO", 171, 170, 23, 12, BS_PUSHBUTTON | WS_TABSTOP),
        item("BUTTON", 123, "確定", 195, 170, 51, 12, BS_DEFPUSHBUTTON | WS_TABSTOP),
    ]
    return items

ICON_SIZE = 40 + 256 * 256 * 4 + 256 * 32  # header + 32-bit pixels + 1-bit mask
VERSION_MS, VERSION_LS = 0x07DC0007, 0x000B0001  # 2012.7.11.1
STRING_TABLE = "041103A4"
STRING_KEYS = ["CompanyName", "FileDescription", "InternalName",
               "LegalCopyright", "OriginalFilename", "ProductName"]
FIXED_STRINGS = {"InternalName": "Tallimor", "ProductName": "Tallimor",
                 "OriginalFilename": "Tallimor.exe"}

# ---- reporting --------------------------------------------------------------
class FormatError(Exception):
    pass

class Report:
    def __init__(self):
        self.failures = 0
    def check(self, what, good, detail=""):
        print(("ok: " if good else "FAIL: ") + what + (": " + detail if detail else ""))
        self.failures += not good
        return good
    def expect(self, what, expected, actual, fmt=repr):
        if expected == actual:
            return self.check(what, True, fmt(actual))
        return self.check(what, False, "expected %s, got %s" % (fmt(expected), fmt(actual)))

def hex32(v):
    return "0x%08X" % v if isinstance(v, int) else repr(v)

def bits_diff(expected, actual):
    """Style comparison text naming the bits that are extra or missing."""
    extra, missing = actual & ~expected, expected & ~actual
    return "expected 0x%08X, got 0x%08X%s%s" % (
        expected, actual, " (extra 0x%08X)" % extra if extra else "",
        " (missing 0x%08X)" % missing if missing else "")

def signed(ident):
    """Control ids are DWORDs; show 0xFFFFFFFF as -1."""
    return ident - (1 << 32) if ident >= 1 << 31 else ident

def version_text(ms, ls):
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

# ---- PE file ----------------------------------------------------------------
class Reader:
    """Little-endian cursor over a byte string."""
    def __init__(self, buf, pos=0):
        self.buf, self.pos = buf, pos
    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.buf, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values[0] if len(values) == 1 else values
    def sz(self):
        """NUL-terminated UTF-16 string."""
        end = next((e for e in range(self.pos, len(self.buf) - 1, 2)
                    if self.buf[e:e + 2] == b"\0\0"), None)
        if end is None:
            raise FormatError("unterminated UTF-16 string at 0x%X" % self.pos)
        text = self.buf[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text
    def sz_or_ord(self):
        """None for 0x0000, an int for 0xFFFF+ordinal, else a string."""
        first = self.take("H")
        if first == 0:
            return None
        if first == 0xFFFF:
            return self.take("H")
        self.pos -= 2
        return self.sz()
    def align4(self):
        self.pos = (self.pos + 3) & ~3

class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise FormatError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise FormatError("no PE signature")
        self.machine, nsections, _, _, _, opt_size = struct.unpack_from("<HHIIIH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        if self.magic not in (0x10B, 0x20B):
            raise FormatError("unknown optional header magic 0x%X" % self.magic)
        plus = self.magic == 0x20B  # PE32+: 64-bit ImageBase, no BaseOfData
        self.image_base = struct.unpack_from("<Q" if plus else "<I", data, opt + (24 if plus else 28))[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        self.os_version = struct.unpack_from("<HH", data, opt + 40)
        self.subsystem_version = struct.unpack_from("<HH", data, opt + 48)
        dirs = opt + (112 if plus else 96)
        ndirs = min(struct.unpack_from("<I", data, dirs - 4)[0], 16)
        self.dirs = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(ndirs)]
        self.sections = [struct.unpack_from("<8xIIII", data, opt + opt_size + 40 * i)
                         for i in range(nsections)]
    def directory(self, index):
        return self.dirs[index] if index < len(self.dirs) else (0, 0)
    def offset(self, rva):
        for vsize, va, raw_size, raw in self.sections:
            if va <= rva < va + max(vsize, raw_size):
                if rva - va >= raw_size:
                    raise FormatError("RVA 0x%X has no file data" % rva)
                return raw + rva - va
        raise FormatError("RVA 0x%X is outside every section" % rva)
    def read(self, rva, size):
        off = self.offset(rva)
        if off + size > len(self.data):
            raise FormatError("data at RVA 0x%X runs past end of file" % rva)
        return self.data[off:off + size]
    def cstring(self, rva):
        off = self.offset(rva)
        end = self.data.index(b"\0", off)
        return self.data[off:end].decode("latin-1")

def descriptors(pe, index, fmt):
    """The non-zero descriptors of a zero-terminated import table."""
    rva, size = pe.directory(index), struct.calcsize(fmt)
    off = pe.offset(rva[0]) if rva[0] else None
    while off is not None and any(struct.unpack_from(fmt, pe.data, off)):
        yield struct.unpack_from(fmt, pe.data, off)
        off += size

def imported_dlls(pe):
    names = [pe.cstring(d[3]) for d in descriptors(pe, 1, "<5I")]
    # Delay-load descriptors: bit 0 of the attributes says the name is an RVA, not a VA.
    names += [pe.cstring(d[1] if d[0] & 1 else d[1] - pe.image_base) for d in descriptors(pe, 13, "<8I")]
    return names

def resources(pe):
    """{(type, name, language): bytes}; names are ints or strings."""
    rva = pe.directory(2)[0]
    if not rva:
        return {}
    base, data = pe.offset(rva), pe.data
    def entries(dir_off, want_dirs):
        named, ids = struct.unpack_from("<HH", data, base + dir_off + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + dir_off + 16 + 8 * i)
            if name & 0x80000000:
                p = base + (name & 0x7FFFFFFF)
                n = struct.unpack_from("<H", data, p)[0]
                name = data[p + 2:p + 2 + 2 * n].decode("utf-16-le")
            if bool(target & 0x80000000) != want_dirs:
                raise FormatError("resource tree has wrong depth under %r" % (name,))
            yield name, target & 0x7FFFFFFF

    found = {}
    for rtype, type_dir in entries(0, True):
        for name, name_dir in entries(type_dir, True):
            for lang, leaf in entries(name_dir, False):
                drva, size = struct.unpack_from("<II", data, base + leaf)
                found[(rtype, name, lang)] = pe.read(drva, size)
    return found

def find_resource(res, rtype, name):
    """The data of resource type/name in whatever language it has."""
    blob = next((b for (t, n, _), b in res.items() if (t, n) == (rtype, name)), None)
    if blob is not None:
        return blob
    raise FormatError("resource type %d id %r is missing" % (rtype, name))

# ---- version block ----------------------------------------------------------
Block = namedtuple("Block", "key type value children end")

def parse_block(buf, off=0):
    """One VS_VERSIONINFO-style node (wLength, wValueLength, wType, szKey, ...)."""
    length, value_len, vtype = struct.unpack_from("<HHH", buf, off)
    end = off + length
    if length < 6 or end > len(buf):
        raise FormatError("version node at 0x%X has bad length %d" % (off, length))
    r = Reader(buf, off + 6)
    key = r.sz()
    r.align4()
    value_bytes = value_len * 2 if vtype == 1 else value_len
    if r.pos + value_bytes > end:
        raise FormatError("value of version node %r runs past its node" % key)
    value = buf[r.pos:r.pos + value_bytes]
    r.pos += value_bytes
    r.align4()
    children = []
    while r.pos < end:
        child = parse_block(buf, r.pos)
        children.append(child)
        r.pos = (child.end + 3) & ~3
    return Block(key, vtype, value, children, end)

def text_value(block):
    return block.value.decode("utf-16-le").split("\0")[0]

def only_child(rep, parent, key):
    keys = [c.key for c in parent.children]
    rep.expect("version: children of %s" % (parent.key or "root"), [key], keys)
    return parent.children[0] if keys == [key] else None

def check_version(rep, root):
    rep.expect("version: root key", "VS_VERSION_INFO", root.key)
    if len(root.value) != 52:
        return rep.check("version: VS_FIXEDFILEINFO", False, "%d bytes, not 52" % len(root.value))
    fixed = struct.unpack("<13I", root.value)
    rep.expect("version: signature", 0xFEEF04BD, fixed[0], hex32)
    rep.expect("version: file version", version_text(VERSION_MS, VERSION_LS), version_text(*fixed[2:4]))
    rep.expect("version: product version", version_text(VERSION_MS, VERSION_LS), version_text(*fixed[4:6]))
    for name, index, want in (("dwFileFlags", 7, 0), ("dwFileOS", 8, 4), ("dwFileType", 9, 1)):
        rep.expect("version: " + name, want, fixed[index], hex32)
    rep.expect("version: top-level blocks", ["StringFileInfo", "VarFileInfo"],
               sorted(c.key for c in root.children))
    by_key = {c.key: c for c in root.children}
    sfi, vfi = by_key.get("StringFileInfo"), by_key.get("VarFileInfo")
    table = sfi and only_child(rep, sfi, STRING_TABLE)
    if table:
        rep.expect("version: string keys", STRING_KEYS, [c.key for c in table.children])
        values = {c.key: text_value(c) for c in table.children}
        for key in STRING_KEYS:
            if key in FIXED_STRINGS:
                rep.expect("version: " + key, FIXED_STRINGS[key], values.get(key))
            else:
                rep.check("version: %s non-empty" % key, bool(values.get(key)), repr(values.get(key)))
    translation = vfi and only_child(rep, vfi, "Translation")
    if translation:
        value = translation.value
        pairs = [struct.unpack_from("<HH", value, i) for i in range(0, len(value) - 3, 4)]
        rep.expect("version: Translation", [(LANG_JA, 932)], pairs,
                   lambda ps: "[%s]" % ", ".join("0x%04X/%d" % p for p in ps))

# ---- dialog template --------------------------------------------------------
def parse_dialog(buf):
    r = Reader(buf)
    d = {}
    d["ver"], d["signature"], d["help_id"], d["ex_style"], d["style"], count = r.take("HHIIIH")
    if (d["ver"], d["signature"]) != (1, 0xFFFF):
        raise FormatError("not a DLGTEMPLATEEX (dlgVer %d, signature 0x%04X)" % (d["ver"], d["signature"]))
    d["x"], d["y"], d["cx"], d["cy"] = r.take("hhhh")
    d["menu"], d["cls"], d["title"] = r.sz_or_ord(), r.sz_or_ord(), r.sz()
    d["font"] = r.take("HHBB") + (r.sz(),) if d["style"] & DS_SETFONT else None
    d["items"] = []
    for _ in range(count):
        r.align4()
        it = dict(zip(("help_id", "ex_style", "style", "x", "y", "cx", "cy", "id"), r.take("IIIhhhhI")))
        it["cls"], it["text"] = r.sz_or_ord(), r.sz_or_ord()
        it["extra"] = r.take("H")
        r.pos += it["extra"]
        d["items"].append(it)
    d["trailing"] = buf[r.pos:]
    return d

def class_name(cls):
    """The predefined classes must be stored as ordinals, as Windows' own
    resource compiler stores them; a class given by name reads as such."""
    return CLASS_ORDINALS.get(cls, "ordinal 0x%04X" % cls) if isinstance(cls, int) else "name %r" % cls

def item_diffs(exp, act):
    diffs = []
    for field in ("id", "cls", "text", "x", "y", "cx", "cy", "style", "ex_style", "help_id", "extra"):
        want, got = exp[field], act[field]
        if field == "cls":
            got = class_name(got)
        elif field == "text" and got is None:
            got = ""
        if want == got:
            continue
        if field in ("style", "ex_style"):
            diffs.append("%s %s" % (field, bits_diff(want, got)))
        else:
            want, got = (signed(want), signed(got)) if field == "id" else (want, got)
            diffs.append("%s expected %r, got %r" % (field, want, got))
    return diffs

def check_dialog(rep, d):
    rep.expect("dialog: helpID", 0, d["help_id"], hex32)
    rep.expect("dialog: exStyle", WS_EX_APPWINDOW, d["ex_style"], hex32)
    rep.check("dialog: style", d["style"] == DIALOG_STYLE, bits_diff(DIALOG_STYLE, d["style"]))
    rep.check("dialog: size", (d["cx"], d["cy"]) == (254, 190),
              "expected 254x190, got %dx%d at (%d,%d)" % (d["cx"], d["cy"], d["x"], d["y"]))
    rep.expect("dialog: menu", None, d["menu"])
    rep.expect("dialog: class", None, d["cls"])
    rep.expect("dialog: title", DIALOG_TITLE, d["title"])
    rep.expect("dialog: font", DIALOG_FONT, d["font"])
    expected, actual = expected_items(), d["items"]
    rep.expect("dialog: item count", len(expected), len(actual))
    bad = 0
    for index, (exp, act) in enumerate(zip(expected, actual)):
        diffs = item_diffs(exp, act)
        if diffs:
            bad += 1
            rep.check("dialog item %d (id %d)" % (index, signed(exp["id"])), False, "; ".join(diffs))
    rep.check("dialog items: %d of %d match" % (min(len(expected), len(actual)) - bad, len(expected)),
              bad == 0, "")
    trailing = d["trailing"]
    rep.check("dialog: nothing after the last item", len(trailing) < 4 and not any(trailing),
              "%d trailing bytes" % len(trailing))

def dump_dialog(d):
    print("dialog: style 0x%08X ex 0x%08X at (%d,%d) %dx%d title %r font %r"
          % (d["style"], d["ex_style"], d["x"], d["y"], d["cx"], d["cy"], d["title"], d["font"]))
    for i, it in enumerate(d["items"]):
        print("  %2d id %-4d %-7s %-22r (%3d,%3d) %3dx%-3d style 0x%08X ex 0x%08X help %d extra %d"
              % (i, signed(it["id"]), class_name(it["cls"]), it["text"] or "", it["x"], it["y"], it["cx"], it["cy"],
                 it["style"], it["ex_style"], it["help_id"], it["extra"]))

def dump_version(root):
    for block in root.children:
        for table in block.children:
            for entry in table.children:
                value = text_value(entry) if entry.type == 1 else entry.value.hex()
                print("  %s/%s/%s = %r" % (block.key, table.key, entry.key, value))

# ---- the checks -------------------------------------------------------------
def check_header(rep, pe, machine):
    want_machine, want_magic = MACHINES[machine]
    rep.expect("PE machine", want_machine, pe.machine, lambda v: "0x%X" % v)
    rep.expect("optional header magic", want_magic, pe.magic, lambda v: "0x%X" % v)
    rep.expect("subsystem (2 = Windows GUI)", 2, pe.subsystem)
    # Windows refuses to start an exe that asks for a newer version than its own.
    for what, version in (("OS", pe.os_version), ("subsystem", pe.subsystem_version)):
        rep.check("runs on Windows 7: %s version %d.%d <= 6.1" % ((what,) + version), version <= (6, 1), "")

def check_imports(rep, pe):
    dlls = imported_dlls(pe)
    foreign = [n for n in dlls if n.lower() not in ALLOWED_DLLS]
    rep.check("imports only system DLLs", bool(dlls) and not foreign,
              ", ".join(dlls) + (" -- not allowed: " + ", ".join(foreign) if foreign else ""))

def check_resource_set(rep, res):
    expected = {(RT_DIALOG, 166, LANG_JA), (RT_GROUP_ICON, 167, LANG_JA),
                (RT_ICON, 1, LANG_JA), (RT_VERSION, 1, LANG_JA)}
    fmt = lambda keys: ", ".join("type %r id %r lang 0x%04X" % k if isinstance(k[2], int)
                                 else repr(k) for k in sorted(keys, key=repr))
    missing, extra = expected - set(res), set(res) - expected
    detail = fmt(res) if not (missing or extra) else "missing [%s] extra [%s]" % (fmt(missing), fmt(extra))
    rep.check("resources are exactly dialog 166, group icon 167, icon 1, version 1 (lang 0x0411)",
              not (missing or extra), detail)

def check_icon(rep, res):
    group, icon = find_resource(res, RT_GROUP_ICON, 167), find_resource(res, RT_ICON, 1)
    _, kind, count = struct.unpack_from("<HHH", group, 0)
    rep.expect("group icon: type and entry count", (1, 1), (kind, count))
    rep.expect("group icon: size", 6 + 14 * count, len(group))
    if count >= 1:
        w, h, colours, _, planes, bits, size, ident = struct.unpack_from("<BBBBHHIH", group, 6)
        rep.expect("group icon entry: width, height, colours, planes, bits, id",
                   (0, 0, 0, 1, 32, 1), (w, h, colours, planes, bits, ident))
        rep.expect("group icon entry: byte count equals icon 1 size", len(icon), size)
    rep.check("icon 1: not PNG", not icon.startswith(b"\x89PNG"), repr(icon[:4]))
    header = struct.unpack_from("<IiiHHI", icon, 0)
    rep.expect("icon 1: biSize, width, height, planes, bitcount, compression",
               (40, 256, 512, 1, 32, 0), header)
    rep.expect("icon 1: total size", ICON_SIZE, len(icon))

def guarded(rep, what, fn, *args):
    """Runs one group of checks; a malformed structure becomes a FAIL line."""
    try:
        return fn(*args)
    except FormatError as e:
        rep.check(what, False, str(e))
    except (struct.error, ValueError, UnicodeDecodeError) as e:
        rep.check(what, False, "malformed: %s" % (str(e) or type(e).__name__))
    return None

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("path")
    parser.add_argument("--machine", required=True, choices=sorted(MACHINES))
    parser.add_argument("--dump", action="store_true", help="print dialog items and version strings")
    try:
        args = parser.parse_args()
    except SystemExit as e:  # usage errors count as a failed run
        return 1 if e.code else 0
    sys.stdout.reconfigure(errors="backslashreplace")
    rep = Report()
    try:
        data = open(args.path, "rb").read()
    except OSError as e:
        rep.check("read " + args.path, False, str(e))
        return 1
    pe = guarded(rep, "PE headers", PE, data)
    if not pe:
        return 1
    check_header(rep, pe, args.machine)
    guarded(rep, "imports", check_imports, rep, pe)
    res = guarded(rep, "resource directory", resources, pe) or {}
    check_resource_set(rep, res)
    guarded(rep, "icon", check_icon, rep, res)
    root = guarded(rep, "version block", lambda: parse_block(find_resource(res, RT_VERSION, 1)))
    if root and args.dump:
        dump_version(root)
    if root:
        guarded(rep, "version block", check_version, rep, root)
    blob = guarded(rep, "dialog 166", find_resource, res, RT_DIALOG, 166)
    if blob and rep.expect("dialog: dlgVer, signature (DLGTEMPLATEEX)", (1, 0xFFFF),
                           struct.unpack_from("<HH", blob.ljust(4, b"\0")), str):
        dialog = guarded(rep, "dialog 166", parse_dialog, blob)
        if dialog and args.dump:
            dump_dialog(dialog)
        if dialog:
            guarded(rep, "dialog 166", check_dialog, rep, dialog)
    return 1 if rep.failures else 0

if __name__ == "__main__":
    sys.exit(main())
