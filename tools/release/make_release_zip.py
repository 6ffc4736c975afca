#!/usr/bin/env python3
"""Writes the Windows release zip from a MinGW build folder.

Usage: make_release_zip.py BIN_DIR SOURCE_DIR OUT_ZIP

The zip holds, at its root: Korvane.exe, korvane-cli.exe, the manual (PDF and text), a Korvane.ini
that points at the samples folder with relative paths, the samples (three drawings, base parts
list, prohibited words), LICENSE, THIRD-PARTY-NOTICES.txt and a short Japanese README (UTF-8 with
a byte-order mark, CR LF). Names are stored in UTF-8 with the UTF-8 flag, so that Windows' own
unzip shows the Japanese names. The zip is written to a temporary file and renamed, so a failed
run never leaves a half-written zip.
"""
import os
import sys
import tempfile
import zipfile

PROGRAMS = ["Korvane.exe", "korvane-cli.exe", "Korvane-Manual.pdf", "Korvaneﾄﾞｷﾒﾝﾄ.txt"]
SAMPLES = ["main_circuit.dxf", "control_circuit.dxf", "operation_board.dxf",
           "base_parts.txt", "prohibited_words.txt"]
# The copyright files of the libraries linked into the programs, as Debian ships them.
NOTICES = [
    ("libxlsxwriter (with minizip, tmpfileplus, md5, dtoa)", "/usr/share/doc/libxlsxwriter4/copyright"),
    ("zlib", "/usr/share/doc/libz-mingw-w64-dev/copyright"),
    ("MinGW-w64 runtime and winpthreads", "/usr/share/doc/mingw-w64-x86-64-dev/copyright"),
    ("GCC runtime libraries (libstdc++, libgcc; GCC Runtime Library Exception)",
     "/usr/share/doc/gcc-mingw-w64-base/copyright"),
    ("Mozilla Public License 2.0 (tmpfileplus)", "/usr/share/common-licenses/MPL-2.0"),
]
# A fixed time for every entry: the same build gives the same zip.
STAMP = (2026, 12, 1, 0, 0, 0)


def crlf(text: str) -> str:
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def release_ini(sample_ini: bytes) -> bytes:
    """samples/Korvane.ini with its reference files and DXF folder under samples\\."""
    lines = sample_ini.split(b"\r\n")
    out = []
    for line in lines:
        key, _, value = line.partition(b"=")
        if key in (b"part_file1", b"kinsi_file1") and value:
            line = key + b"=samples\\" + value
        elif key == b"file_folder":
            line = b"file_folder=samples\\"
        out.append(line)
    return b"\r\n".join(out)


def notices() -> bytes:
    parts = ["Third-party notices for the Korvane Windows programs\n"
             "=====================================================\n\n"
             "Korvane.exe and korvane-cli.exe are linked statically with the libraries below.\n"
             "Their copyright and licence texts follow, as the Debian packages they were built\n"
             "from give them.\n"]
    for title, path in NOTICES:
        with open(path, encoding="utf-8") as f:
            parts.append("\n\n==== %s ====\n(%s)\n\n%s" % (title, os.path.basename(path), f.read()))
    return crlf("".join(parts)).encode("utf-8")


def entries(bin_dir: str, source_dir: str):
    for name in PROGRAMS:
        with open(os.path.join(bin_dir, name), "rb") as f:
            yield name, f.read()
    with open(os.path.join(source_dir, "samples", "Korvane.ini"), "rb") as f:
        yield "Korvane.ini", release_ini(f.read())
    for name in SAMPLES:
        with open(os.path.join(source_dir, "samples", name), "rb") as f:
            yield "samples/" + name, f.read()
    with open(os.path.join(source_dir, "LICENSE"), encoding="utf-8") as f:
        yield "LICENSE", crlf(f.read()).encode("utf-8")
    yield "THIRD-PARTY-NOTICES.txt", notices()
    with open(os.path.join(source_dir, "tools", "release", "README.txt"), encoding="utf-8") as f:
        yield "README.txt", b"\xef\xbb\xbf" + crlf(f.read()).encode("utf-8")


def main() -> int:
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    bin_dir, source_dir, out = sys.argv[1:]
    folder = os.path.dirname(os.path.abspath(out))
    os.makedirs(folder, exist_ok=True)
    fd, temp = tempfile.mkstemp(dir=folder, suffix=".zip.tmp")
    os.close(fd)
    try:
        with zipfile.ZipFile(temp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
            for name, data in entries(bin_dir, source_dir):
                info = zipfile.ZipInfo(name, STAMP)
                info.compress_type = zipfile.ZIP_DEFLATED
                info.create_system = 0  # made on "MS-DOS": plain Windows attributes
                info.external_attr = 0x20  # archive bit
                z.writestr(info, data)
        os.replace(temp, out)
    except BaseException:
        os.unlink(temp)
        raise
    print(out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
