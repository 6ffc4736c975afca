#!/usr/bin/python3
"""Writes tests/data/corpus/expected.txt, what the reader must give for each file of the shared
corpus of real drawings (../shared/corpus beside the repository), from an independent reading.

The drawings are read with ezdxf (Debian's python3-ezdxf; only this script uses it, never the
program or its tests): its tag loader splits the sections and entities and decodes the strings
(UTF-8 from AC1021 on, the $DWGCODEPAGE code page before, \\U+XXXX escapes in every version). The
texts are the TEXT, MTEXT and ATTRIB entities of the ENTITIES section: first insertion point
(group 10) and group 1 value. Each string is then written as the program keeps it: Shift-JIS
(code page 932), a character code page 932 cannot hold as "\\U+XXXX", cut to 63 bytes without
splitting a character. Before AC1021 the bytes of the file are read in the code page its header
names, as the program reads them (tools/gen_code_page_table.py), and stand as they are when it
names none, or 932, or one the program does not take. A binary drawing is read with ezdxf's binary
tag loader and then as the same drawing in ASCII.

Where the reader's count differs from that reading for a reason checked by hand (see KNOWN), the
difference and the records behind it are listed in KNOWN and written to the file as comments.

    /usr/bin/python3 tools/corpus_expect.py [CORPUS_DIR]

Line format (tab-separated): file name, "-" or "not-ascii" (the reader refuses the file with its
message), number of texts, then samples "x y text": x and y as Python writes floats (shortest
round trip), text with "\\\\" for a backslash and "\\xHH" for bytes outside 0x20-0x7E.
"""

import io
import os
import re
import sys

from ezdxf.lldxf.const import DXFStructureError
from ezdxf.lldxf.tagger import binary_tags_loader
from ezdxf.lldxf.types import DXFBinaryTag
from ezdxf.recover import Recover, bytes_loader, detect_encoding
from ezdxf.tools.codepage import toencoding

from gen_code_page_table import character as code_page_character

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "tests", "data", "corpus", "expected.txt")
CAPACITY = 64
SAMPLES = 8

# Differences between the reader and the reading above, each checked in the file by hand:
# (count difference, why, records the reader gives besides ezdxf's texts).
KNOWN = {
    "acadsharp_sample_AC1024_ascii.dxf": (
        +3, "a TEXT's closing AcDbText marker leaves the reader waiting for a text, and three "
        "later entities complete a record: an ACAD_TABLE (its point and first cell), an INSERT "
        "whose 3DSOLID neighbour delivers the first line of its ACIS data, and a paper-space "
        "VIEWPORT (its centre and empty group 1)",
        [(18.3905818828116, -140.7043295782985, b"Hello this is a title"),
         (42.8326244400223, -37.11089571112507, b"mnjoo nnl m mk         "),
         (7.981302901350615, 3.967191609810657, b"")]),
    "dxfjson_A_000217.dxf": (
        +1, "a paper-space VIEWPORT after a TEXT's closing AcDbText marker completes a record "
        "(its centre and empty group 1)",
        [(18.63660462769897, 11.62355717130139, b"")]),
    "ezdxf_text.dxf": (
        +4, "4 ATTDEF entities stand in the ENTITIES section; they carry the AcDbText marker",
        [(5656.075602773489, 2227.022070579522, b"VALUE-normal"),
         (6927.023213192363, 2004.740568046294, b"VALUE-backwards"),
         (5796.648007707565, 1168.538727395942, b"VALUE-rotated"),
         (5653.696576965608, 1893.59981677968, b"VALUE-up-down")]),
}

BINARY_SENTINEL = b"AutoCAD Binary DXF\r\n\x1a\x00"
TAKEN_CODE_PAGES = {437, 737, 775, 850, 852, 855, 857, 858, 860, 861, 862, 863, 864, 865, 866,
                    869, 874, 936, 949, 950} | set(range(1250, 1259))

JIS_TWINS = {"\u00A2": "\uFFE0", "\u00A3": "\uFFE1", "\u00AC": "\uFFE2", "\u2014": "\u2015",
             "\u2016": "\u2225", "\u2212": "\uFF0D", "\u301C": "\uFF5E"}


def cp932_units(ch):
    """The bytes of one character in code page 932 as the program writes it."""
    cp = ord(ch)
    held = None
    if cp < 0x80:
        held = bytes([cp])
    elif cp <= 0xFFFF and cp not in (0x80, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3):
        c = JIS_TWINS.get(ch, ch)
        try:
            b = c.encode("cp932")
            if b.decode("cp932") == c:
                held = b
        except UnicodeEncodeError:
            pass
    if held is not None:
        return held
    if cp > 0xFFFF:
        hi, lo = 0xD800 + ((cp - 0x10000) >> 10), 0xDC00 + ((cp - 0x10000) & 0x3FF)
        return b"\\U+%04X\\U+%04X" % (hi, lo)
    return b"\\U+%04X" % cp


def program_text(s, encoding, utf8, code_page):
    """The bytes the program keeps for the decoded string `s`."""
    units = []
    for ch in s:
        if not utf8:
            try:
                raw = ch.encode(encoding, errors="surrogateescape")
            except UnicodeEncodeError:
                raw = None  # not from the file's bytes: an escape ezdxf decoded
            if raw is not None:
                cp = code_page_character(code_page, raw) if code_page else None
                units.append(raw if cp is None else cp932_units(chr(cp)))
                continue
        units.append(cp932_units(ch))
    out = b""
    for u in units:
        if len(out) + len(u) > CAPACITY - 1:
            break
        out += u
    return out


def header_code_page(data):
    """The code page the program reads a drawing's bytes in, from $DWGCODEPAGE; None for none."""
    m = re.search(rb"\$DWGCODEPAGE[ \t]*\r?\n[ \t]*3[ \t]*\r?\n[ \t]*([^\r\n]*)", data)
    if not m:
        return None
    name = m.group(1).strip(b" \t").upper()
    m = re.fullmatch(rb"(?:ANSI_|DOS_?)([0-9]{1,5})", name)
    number = int(m.group(1)) if m else 0
    return number if number in TAKEN_CODE_PAGES else None


def ascii_of_binary(data):
    """The same drawing in ASCII DXF, from ezdxf's reading of the binary form."""
    tags = list(binary_tags_loader(data))
    values = {}
    for previous, tag in zip(tags, tags[1:]):
        if previous.code == 9 and previous.value in ("$ACADVER", "$DWGCODEPAGE"):
            values[previous.value] = tag.value
    encoding = ("utf8" if values.get("$ACADVER", "AC1009") >= "AC1021"
                else toencoding(values.get("$DWGCODEPAGE", "ANSI_1252")))
    out = b""
    for tag in tags:
        if isinstance(tag, DXFBinaryTag):
            value = tag.value.hex().upper().encode()
        elif isinstance(tag.value, float):
            value = repr(tag.value).encode()
        else:
            value = str(tag.value).encode(encoding, errors="surrogateescape")
        out += b"%d\n%s\n" % (tag.code, value)
    return out


def texts_of(data):
    """(texts, not_ascii): texts as (x, y, bytes) in file order."""
    if data.startswith(BINARY_SENTINEL):
        data = ascii_of_binary(data)
    try:
        encoding = detect_encoding(bytes_loader(io.BytesIO(data)))
        recover = Recover.run(io.BytesIO(data))
    except DXFStructureError:
        return [], True
    utf8 = recover.dxfversion >= "AC1021"
    code_page = None if utf8 else header_code_page(data)
    if utf8 and encoding != "utf8":
        sys.exit("ezdxf did not read an AC1021+ drawing as UTF-8")
    texts = []
    for entity in recover.section_dict.get("ENTITIES", [])[1:]:
        if entity[0].value not in ("TEXT", "MTEXT", "ATTRIB"):
            continue
        point = next((t.value for t in entity if t.code == 10), None)
        value = next((t.value for t in entity if t.code == 1), None)
        if point is None or value is None:
            continue
        texts.append((point[0], point[1], program_text(value, encoding, utf8, code_page)))
    return texts, False


def escape(b):
    out = []
    stripped = b.rstrip(b" ")
    for x in stripped:
        if x == 0x5C:
            out.append("\\\\")
        elif 0x20 <= x <= 0x7E:
            out.append(chr(x))
        else:
            out.append("\\x%02X" % x)
    # Trailing blanks escaped too, so that no editor trims them away.
    return "".join(out) + "\\x20" * (len(b) - len(stripped))


def pick(texts):
    """First and last, those with bytes beyond ASCII or a backslash, then evenly spread ones."""
    if not texts:
        return []
    chosen = [0, len(texts) - 1]
    chosen += [i for i, t in enumerate(texts) if any(x >= 0x80 or x == 0x5C for x in t[2])][:3]
    step = max(1, len(texts) // 4)
    chosen += list(range(step, len(texts), step))
    seen, out = set(), []
    for i in chosen:
        if i not in seen and len(out) < SAMPLES:
            seen.add(i)
            out.append(texts[i])
    return out


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "..", "shared", "corpus")
    lines = ["# Written by tools/corpus_expect.py from an ezdxf reading of ../shared/corpus.\n"]
    for name in sorted(os.listdir(corpus)):
        if not name.lower().endswith(".dxf"):
            continue
        with open(os.path.join(corpus, name), "rb") as f:
            texts, not_ascii = texts_of(f.read())
        count = len(texts)
        samples = pick(texts)
        if name in KNOWN:
            diff, why, extra = KNOWN[name]
            lines.append("# %s: ezdxf finds %d texts, the reader %d: %s.\n" %
                         (name, count, count + diff, why))
            count += diff
            samples += extra
        fields = [name, "not-ascii" if not_ascii else "-", str(count)]
        fields += ["%r %r %s" % (x, y, escape(t)) for x, y, t in samples]
        lines.append("\t".join(fields) + "\n")
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w", newline="\n") as f:
        f.writelines(lines)
    print("%d files" % sum(1 for ln in lines if not ln.startswith("#")))


if __name__ == "__main__":
    main()
