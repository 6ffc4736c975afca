#!/usr/bin/env python3
"""Writes tests/data/encoding/cp932_from_unicode.txt: the code page 932 bytes of every BMP code
point that the program converts, one "XXXX HH[ HH]" line each, from Python's own cp932 codec.

The table is what both of the program's converters (glibc iconv natively, the Win32 functions on
Windows) must give. Python's codec differs from Windows in one respect, corrected here: for the
IBM extension characters that have two codes, Windows (and glibc) write the IBM code (FA40-FC4B),
Python the NEC-selected one (ED40-EEFC). The program's own rules are applied on top: the JIS forms
of seven characters give their code page 932 twins, and U+0080 and U+F8F0-U+F8F3 are not held.

    python3 tools/gen_cp932_table.py
"""

import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "tests", "data", "encoding", "cp932_from_unicode.txt")

JIS_TWINS = {0x00A2: "\uFFE0", 0x00A3: "\uFFE1", 0x00AC: "\uFFE2", 0x2014: "\u2015",
             0x2016: "\u2225", 0x2212: "\uFF0D", 0x301C: "\uFF5E"}
NOT_HELD = {0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3}


def ibm_codes():
    codes = {}
    for lead in (0xFA, 0xFB, 0xFC):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            b = bytes([lead, trail])
            try:
                codes.setdefault(b.decode("cp932"), b)
            except UnicodeDecodeError:
                pass
    return codes


def main():
    ibm = ibm_codes()
    lines = []
    for cp in range(0x10000):
        if 0xD800 <= cp <= 0xDFFF or cp in NOT_HELD:
            continue
        ch = JIS_TWINS.get(cp, chr(cp))
        try:
            b = ch.encode("cp932")
        except UnicodeEncodeError:
            continue
        if b.decode("cp932") != ch:
            continue
        if b[0] in (0xED, 0xEE) and ch in ibm:
            b = ibm[ch]
        lines.append("%04X %s\n" % (cp, " ".join("%02X" % x for x in b)))
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w", newline="\n") as f:
        f.writelines(lines)
    print("%d code points" % len(lines))


if __name__ == "__main__":
    main()
