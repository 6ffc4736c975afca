#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets under tests/fuzz/corpus/<target>/.

Seeds come from samples/ and from the MIT- or BSD-licensed drawings of the shared corpus
(../shared/corpus beside the repository; its SOURCES.md gives each file's licence, and files
under any other licence are left out). Drawings up to 64 KB are taken whole; the texts of all
of them (group 1 values of TEXT, MTEXT and ATTRIB) become the seeds of the targets that take
texts, names or rows.

    python3 tools/make_fuzz_seeds.py            write tests/fuzz/corpus/ afresh
"""

import hashlib
import re
import shutil
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SAMPLES = ROOT / "samples"
CORPUS = ROOT.parent / "shared" / "corpus"
OUT = ROOT / "tests" / "fuzz" / "corpus"
WHOLE_LIMIT = 64 * 1024
FREE_LICENCES = ("MIT", "BSD")


def free_corpus_files():
    """The corpus drawings whose licence is MIT or BSD, by SOURCES.md."""
    sources = (CORPUS / "SOURCES.md").read_text(encoding="utf-8")
    files = []
    for line in sources.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) < 5 or not cells[0].startswith("`"):
            continue
        name, licence = cells[0].strip("`"), cells[4]
        if licence.split()[0].rstrip(",") in FREE_LICENCES:
            files.append(CORPUS / name)
    return sorted(files)


def dxf_texts(data):
    """Group 1 values of the ENTITIES section's TEXT, MTEXT and ATTRIB entities, as bytes."""
    lines = re.split(rb"\r?\n", data)
    texts = []
    in_entities = False
    entity = b""
    for i in range(0, len(lines) - 1, 2):
        code, value = lines[i].strip(), lines[i + 1]
        if code == b"2" and entity == b"SECTION":
            in_entities = value.strip() == b"ENTITIES"
        if code == b"0":
            entity = value.strip()
        elif code == b"1" and in_entities and entity in (b"TEXT", b"MTEXT", b"ATTRIB"):
            texts.append(value)
    return texts


def write(target, name, data):
    folder = OUT / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def short_name(data):
    return hashlib.sha1(data).hexdigest()[:12]


def main():
    if not CORPUS.is_dir():
        sys.exit(f"no shared corpus at {CORPUS}")
    if OUT.exists():
        shutil.rmtree(OUT)

    sample_drawings = sorted(SAMPLES.glob("*.dxf"))
    corpus_drawings = free_corpus_files()
    small_drawings = sample_drawings + [p for p in corpus_drawings if p.stat().st_size <= WHOLE_LIMIT]
    ini = (SAMPLES / "Korvane.ini").read_bytes()
    base = (SAMPLES / "base_parts.txt").read_bytes()
    words = (SAMPLES / "prohibited_words.txt").read_bytes()

    texts = []
    for path in sample_drawings + corpus_drawings:
        if path.read_bytes()[:22] == b"AutoCAD Binary DXF\r\n\x1a\x00":
            continue
        for t in dxf_texts(path.read_bytes()):
            if t not in texts:
                texts.append(t)
    odd_texts = [t for t in texts if any(b > 0x7E or b < 0x20 for b in t) or b"\\" in t or b"," in t
                 or b'"' in t]
    plain_texts = [t for t in texts if t not in odd_texts]
    picked_texts = odd_texts[:120] + plain_texts[:40]

    # Readers of whole files.
    for path in small_drawings:
        write("fuzz_dxf_reader", path.name, path.read_bytes())
    write("fuzz_base_parts", "base_parts.txt", base)
    write("fuzz_prohibited_words", "prohibited_words.txt", words)
    write("fuzz_settings", "Korvane.ini", ini)
    write("fuzz_settings", "Korvane_lf.ini", ini.replace(b"\r\n", b"\n"))
    for k in range(0, len(odd_texts), 8):
        lines = b"".join(b"kotei%d=%s\r\ncomment%d=%s\r\n" % (c % 8, t, (c + 3) % 8, t)
                         for c, t in enumerate(odd_texts[k:k + 8]))
        write("fuzz_settings", "texts_%02d.ini" % (k // 8), ini + lines)

    # Texts one by one.
    for t in picked_texts:
        write("fuzz_dxf_text_value", short_name(t), t)
        write("fuzz_encoding", short_name(t), t)

    # Rows of eight texts; the first byte puts the supply class in column 7.
    rows = [picked_texts[k:k + 8] for k in range(0, len(picked_texts), 8)]
    for k in range(0, len(rows), 4):
        cells = [c for row in rows[k:k + 4] for c in row + [b""] * (8 - len(row))]
        write("fuzz_parts_list_writer", "rows_%02d" % (k // 4), b"\x08" + b"\x00".join(cells))

    # Parts list files as convert writes them from the samples (tests/data/cli), in Shift-JIS
    # and in UTF-8 with a byte-order mark, with LF line ends, with tag ranges, and cut short.
    cli_data = ROOT / "tests" / "data" / "cli"
    for name in ("samples_all.txt", "samples_none.csv", "samples_all1.csv", "escaping.csv",
                 "compare_old.csv", "compare_new.txt"):
        write("fuzz_parts_list_reader", name, (cli_data / name).read_bytes())
    listed = (cli_data / "samples_all.txt").read_bytes()
    write("fuzz_parts_list_reader", "samples_all_utf8.csv",
          b"\xef\xbb\xbf" + listed.decode("cp932").encode("utf-8"))
    write("fuzz_parts_list_reader", "samples_all_lf.csv", listed.replace(b"\r\n", b"\n"))
    write("fuzz_parts_list_reader", "samples_all_ranges.csv",
          listed.replace(b'"MC1,2,3"', b'"MC1-3"').replace(b'"THR1,2,3"', b'"THR1-3"'))
    write("fuzz_parts_list_reader", "samples_all_cut.csv", listed[:len(listed) // 2 + 7])

    # Output names: the drawings' own names, and folders with Shift-JIS names whose second
    # bytes are backslashes.
    names = [p.name.encode() for p in small_drawings]
    names += [b"C:\\" + "図面\\制御盤ソ".encode("cp932") + b"\\" + p.name.encode()
              for p in sample_drawings]
    names += ["ソ.csv".encode("cp932"), b"a\\b.txt", b"dir/x.csv", b"abcd"]
    for n, name in enumerate(names):
        write("fuzz_output_name", "name_%02d" % n, bytes([(n % 4) * 2 + n // 4 % 2]) + name)

    # Command lines, arguments separated by NUL.
    rel = [b"samples/" + p.name.encode() for p in sample_drawings]
    lines = [
        [b"convert"] + rel,
        [b"convert", b"--ini", b"samples/Korvane.ini", b"--base", b"samples/base_parts.txt",
         b"--words=samples/prohibited_words.txt", b"--out", b"out", b"--three-files", b"--csv",
         b"--passes", b"dedupe,complete,merge,sort"] + rel,
        [b"convert", b"--one-file", b"--txt", b"--passes=none", b"--out="] + rel[:1],
        [b"texts", b"--raw", b"--"] + [p.name.encode() for p in corpus_drawings[:4]],
        [b"texts"] + rel[-1:],
        [b"--version"],
        [b"convert", b"--help", b"-"],
        [b"convert", b"--xlsx", b"--tag-list", b"ranges", b"--encoding=utf8", b"--one-file"] + rel,
    ]
    for n, line in enumerate(lines):
        write("fuzz_cli_options", "line_%02d" % n, b"\x00".join(line))

    # Recognition: the samples' settings and lists with each small drawing, and a crafted
    # drawing: 32767 tag numbers stacked at one x and, below them, 32767 texts just beside their
    # windows, which a search that walks down from each tag passes one by one.
    for path in small_drawings:
        write("fuzz_recognition", path.name, b"\x00".join([ini, base, words, path.read_bytes()]))
    tall = ini.replace(b"pt_y=60", b"pt_y=1073741824")
    drawing = (b"0\r\nSECTION\r\n2\r\nENTITIES\r\n"
               b"0\r\nTEXT\r\n10\r\n-4.5\r\n20\r\n-10000000\r\n1\r\nW\r\n"
               b"0\r\nTEXT\r\n10\r\n1000\r\n20\r\n1000\r\n1\r\nMC\r\n"
               b"0\r\nENDSEC\r\n0\r\nEOF\r\n")

    def run(text, count, x, y, dx, dy, scale):
        return struct.pack("<BHhhbbB", text, count, x, y, dx, dy, scale)

    # Tags at (0, k), fillers at (-6, k - 32767): every window holds all the fillers' heights.
    runs = run(0x81, 32767, 0, 0, 0, 1, 16) + run(0x00, 32767, -6, -32767, 0, 1, 16)
    write("fuzz_recognition", "stacked_tags_beside_fillers",
          b"\x00".join([tall, base, words, drawing, runs]))


if __name__ == "__main__":
    main()
