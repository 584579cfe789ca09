#!/usr/bin/env python3
"""Checks a built Tallimor.exe: PE header, imported DLLs and every resource.

Usage: check_exe.py PATH --machine i386|amd64 [--dump]
Prints one "ok: ..."/"FAIL: ..." line per check; exits 0 only if all pass.
The PE file (PE32 or PE32+) is read with pefile: headers, imports, resources
and the version block. The dialog template, which pefile leaves as raw
bytes, is parsed here.
"""
import argparse
import struct
import sys

try:
    import pefile
except ImportError as e:  # say so in the usual form rather than with a traceback
    sys.exit("FAIL: import pefile: %s (%s)" % (e, sys.executable))

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

# ---- PE file, read with pefile ---------------------------------------------
def imported_dlls(pe):
    """The DLLs named by the import and the delay-load import tables."""
    entries = getattr(pe, "DIRECTORY_ENTRY_IMPORT", []) + getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])
    return [entry.dll.decode("latin-1") for entry in entries]

def resources(pe):
    """{(type, name, language): bytes}; names are ints or strings."""
    found = {}
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for rtype in root.entries if root else []:
        for name in rtype.directory.entries:
            for lang in name.directory.entries:
                leaf = lang.data.struct
                data = pe.get_data(leaf.OffsetToData, leaf.Size)
                if len(data) != leaf.Size:
                    raise FormatError("data at RVA 0x%X runs past end of file" % leaf.OffsetToData)
                found[(key(rtype), key(name), lang.id)] = data
    return found

def key(entry):
    return entry.id if entry.name is None else str(entry.name)

def find_resource(res, rtype, name):
    """The data of resource type/name in whatever language it has."""
    for (t, n, _), blob in res.items():
        if (t, n) == (rtype, name):
            return blob
    raise FormatError("resource type %d id %r is missing" % (rtype, name))

def text(raw):
    """pefile hands version strings over as UTF-8 bytes."""
    return raw.decode("utf-8", "backslashreplace")

# ---- version block ----------------------------------------------------------
def only_child(rep, parent, key, children, keys):
    rep.expect("version: children of %s" % text(parent.Key), [key], keys)
    return children[0] if keys == [key] else None

def translation_pairs(var):
    """pefile writes the pairs as "0xLANG 0xCODEPAGE" text."""
    words = " ".join(var.entry.values()).split()
    return [(int(lang, 16), int(page, 16)) for lang, page in zip(words[::2], words[1::2])]

def check_version(rep, pe):
    if not hasattr(pe, "VS_VERSIONINFO"):
        raise FormatError("pefile found no version block it could read")
    root, fixed, blocks = pe.VS_VERSIONINFO[0], pe.VS_FIXEDFILEINFO[0], pe.FileInfo[0]
    rep.expect("version: root key", "VS_VERSION_INFO", text(root.Key))
    if root.ValueLength != 52:
        return rep.check("version: VS_FIXEDFILEINFO", False, "%d bytes, not 52" % root.ValueLength)
    rep.expect("version: signature", 0xFEEF04BD, fixed.Signature, hex32)
    want = version_text(VERSION_MS, VERSION_LS)
    rep.expect("version: file version", want, version_text(fixed.FileVersionMS, fixed.FileVersionLS))
    rep.expect("version: product version", want, version_text(fixed.ProductVersionMS, fixed.ProductVersionLS))
    for name, expected, actual in (("dwFileFlags", 0, fixed.FileFlags), ("dwFileOS", 4, fixed.FileOS),
                                   ("dwFileType", 1, fixed.FileType)):
        rep.expect("version: " + name, expected, actual, hex32)
    rep.expect("version: top-level blocks", ["StringFileInfo", "VarFileInfo"],
               sorted(text(b.Key) for b in blocks))
    by_key = {text(b.Key): b for b in blocks}
    sfi, vfi = by_key.get("StringFileInfo"), by_key.get("VarFileInfo")
    table = sfi and only_child(rep, sfi, STRING_TABLE, sfi.StringTable,
                               [text(table.LangID) for table in sfi.StringTable])
    if table:
        values = {text(k): text(v) for k, v in table.entries.items()}
        rep.expect("version: string keys", STRING_KEYS, list(values))
        for key in STRING_KEYS:
            if key in FIXED_STRINGS:
                rep.expect("version: " + key, FIXED_STRINGS[key], values.get(key))
            else:
                rep.check("version: %s non-empty" % key, bool(values.get(key)), repr(values.get(key)))
    translation = vfi and only_child(rep, vfi, "Translation", vfi.Var,
                                     [text(name) for var in vfi.Var for name in var.entry])
    if translation:
        rep.expect("version: Translation", [(LANG_JA, 932)], translation_pairs(translation),
                   lambda ps: "[%s]" % ", ".join("0x%04X/%d" % p for p in ps))

def dump_version(pe):
    for block in pe.FileInfo[0] if hasattr(pe, "FileInfo") else []:
        for table in getattr(block, "StringTable", []):
            for key, value in table.entries.items():
                print("  %s/%s/%s = %r" % (text(block.Key), text(table.LangID), text(key), text(value)))

# ---- dialog template --------------------------------------------------------
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
        for end in range(self.pos, len(self.buf) - 1, 2):
            if self.buf[end:end + 2] == b"\0\0":
                value, self.pos = self.buf[self.pos:end].decode("utf-16-le"), end + 2
                return value
        raise FormatError("unterminated UTF-16 string at 0x%X" % self.pos)
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

# ---- the checks -------------------------------------------------------------
def check_header(rep, pe, machine):
    want_machine, want_magic = MACHINES[machine]
    opt = pe.OPTIONAL_HEADER
    rep.expect("PE machine", want_machine, pe.FILE_HEADER.Machine, lambda v: "0x%X" % v)
    rep.expect("optional header magic", want_magic, opt.Magic, lambda v: "0x%X" % v)
    rep.expect("subsystem (2 = Windows GUI)", 2, opt.Subsystem)
    # Windows refuses to start an exe that asks for a newer version than its own.
    for what, version in (("OS", (opt.MajorOperatingSystemVersion, opt.MinorOperatingSystemVersion)),
                          ("subsystem", (opt.MajorSubsystemVersion, opt.MinorSubsystemVersion))):
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
    except (FormatError, pefile.PEFormatError) as e:
        rep.check(what, False, str(getattr(e, "value", e)))  # PEFormatError's str() is a repr
    except (struct.error, ValueError, UnicodeDecodeError, IndexError) as e:
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
    pe = guarded(rep, "PE headers", lambda: pefile.PE(data=data))
    if not pe:
        return 1
    check_header(rep, pe, args.machine)
    guarded(rep, "imports", check_imports, rep, pe)
    res = guarded(rep, "resource directory", resources, pe) or {}
    check_resource_set(rep, res)
    guarded(rep, "icon", check_icon, rep, res)
    if args.dump:
        dump_version(pe)
    guarded(rep, "version block", check_version, rep, pe)
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
