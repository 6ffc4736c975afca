#!/usr/bin/python3
"""Writes an ASCII DXF drawing again as binary DXF, pair for pair, with ezdxf's binary tag writer
(Debian's python3-ezdxf; only this script uses it, never the program or its tests).

The pairs are taken from the ASCII lines as they stand (code lines trimmed, value bytes kept
byte for byte), and ezdxf writes each with the value type its group code has in binary DXF:
one-byte group codes for R12 (AC1009 and older), two-byte ones for later versions.

    /usr/bin/python3 tools/make_binary_dxf.py INPUT.dxf OUTPUT.dxf [--r12]

Without --r12 the group codes are two bytes, whatever version the drawing says it is.
"""

import re
import sys

from ezdxf.lldxf.tagwriter import BinaryTagWriter
from ezdxf.lldxf.types import BINARY_DATA


def pairs(data):
    """(code, value) pairs of an ASCII drawing; values as Latin-1 text, so that every byte of
    them is written back unchanged. Stops at the EOF marker."""
    lines = re.split(rb"\r?\n", data)
    if lines and lines[0].startswith(b"\xef\xbb\xbf"):
        lines[0] = lines[0][3:]
    for i in range(0, len(lines) - 1, 2):
        code = int(lines[i].strip(b" \t"))
        value = lines[i + 1].decode("latin-1")
        yield code, value
        if code == 0 and value.strip() == "EOF":
            return


def main():
    args = [a for a in sys.argv[1:] if a != "--r12"]
    if len(args) != 2:
        sys.exit(__doc__)
    with open(args[0], "rb") as f:
        data = f.read()
    with open(args[1], "wb") as out:
        writer = BinaryTagWriter(out, dxfversion="AC1009" if "--r12" in sys.argv else "AC1015",
                                 encoding="latin-1")
        writer.write_signature()
        for code, value in pairs(data):
            if code in BINARY_DATA:
                writer.write_tag2(code, bytes.fromhex(value.strip()))
            else:
                writer.write_tag2(code, value)


if __name__ == "__main__":
    main()
