#!/usr/bin/env python3
"""Writes tests/data/encoding/code_pages.txt: what the program reads for every byte 0x80-0xFF of
the single-byte code pages 437, 850, 874 and 1250-1258, and for a sample of lead and trail bytes
of 936, 949 and 950, one "CODEPAGE BYTES CHARACTER" line each: BYTES in hex, CHARACTER the code
point in hex or "-" where the program keeps the bytes as they are.

The table is what both of the program's decoders (glibc iconv natively, MultiByteToWideChar on
Windows) must give. It comes from Python's own codecs, with the program's rules on top: a byte
(or pair) a code page leaves undefined, and one the platform gives as a C1 control or in the
private use area, is kept as it is. Python differs from both platforms in two places, corrected
here: 936 reads 0x80 as the euro sign, and 1255 reads 0xCA as U+05BA (the Windows table).

    python3 tools/gen_code_page_table.py
"""

import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "tests", "data", "encoding", "code_pages.txt")

SINGLE_BYTE = [437, 850, 874] + list(range(1250, 1259))
DOUBLE_BYTE = [936, 949, 950]
CORRECTIONS = {(936, b"\x80"): 0x20AC, (1255, b"\xCA"): 0x05BA}
# Lead and trail bytes of common characters, a trail byte 0x5C, and user-defined rows (the
# private use area on Windows, nothing in glibc).
SAMPLES = {
    936: ["B0A1", "D6D0", "B9FA", "A1A1", "A3C1", "815C", "8140", "FE4F", "AAA1", "F8A1", "A140",
          "80", "FF"],
    949: ["B0A1", "C7D1", "B1B9", "A1A1", "A3C1", "8141", "C9A1", "FEA1", "A15C", "80", "FF"],
    950: ["A440", "A4A4", "B0EA", "A15C", "A3E1", "F9F9", "A140", "8140", "FEFE", "80",
          "FF"],
}


def codec(code_page):
    return "gbk" if code_page == 936 else "cp%d" % code_page


def character(code_page, raw):
    """The code point the program reads for `raw` (one character's bytes), or None."""
    if (code_page, raw) in CORRECTIONS:
        return CORRECTIONS[(code_page, raw)]
    try:
        text = raw.decode(codec(code_page))
    except UnicodeDecodeError:
        return None
    if len(text) != 1:
        return None
    cp = ord(text)
    if 0x80 <= cp <= 0x9F or 0xE000 <= cp <= 0xF8FF:
        return None
    return cp


def main():
    lines = []
    for cp in SINGLE_BYTE:
        for byte in range(0x80, 0x100):
            ch = character(cp, bytes([byte]))
            lines.append("%d %02X %s\n" % (cp, byte, "-" if ch is None else "%04X" % ch))
    for cp in DOUBLE_BYTE:
        for sample in SAMPLES[cp]:
            ch = character(cp, bytes.fromhex(sample))
            lines.append("%d %s %s\n" % (cp, sample, "-" if ch is None else "%04X" % ch))
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w", newline="\n") as f:
        f.writelines(lines)
    print("%d lines" % len(lines))


if __name__ == "__main__":
    main()
