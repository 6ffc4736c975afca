#!/usr/bin/env python3
"""Builds the two documents that the Help menu opens, for placing beside Korvane.exe.

  build_docs.py document SOURCE.txt OUT.txt
      The document file: UTF-8 source in, Shift-JIS (code page 932) with CR LF out.
  build_docs.py manual SOURCE.md SCREENSHOTS_DIR OUT.pdf
      The user manual: Markdown (python3-markdown) to HTML, then PDF (WeasyPrint, Debian package
      weasyprint). A line "::: screenshot NAME.png CAPTION" becomes that picture of
      SCREENSHOTS_DIR with its caption, or a marked placeholder while the picture does not exist.

Both write a temporary file beside the output and then replace it, so a failed build never
leaves half a document.
"""
import html
import os
import pathlib
import re
import sys
import tempfile


def replace_atomically(out: pathlib.Path, data: bytes) -> None:
    out.parent.mkdir(parents=True, exist_ok=True)
    fd, tmp = tempfile.mkstemp(dir=out.parent, prefix=out.name + ".")
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(tmp, 0o666 & ~umask)
        os.replace(tmp, out)
    except BaseException:
        os.unlink(tmp)
        raise


def build_document(source: pathlib.Path, out: pathlib.Path) -> None:
    text = source.read_text(encoding="utf-8")
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    try:
        data = "".join(line + "\r\n" for line in lines).encode("cp932")
    except UnicodeEncodeError as e:
        bad = text[e.start:e.end]
        sys.exit(f"{source}: {bad!r} has no Shift-JIS (code page 932) form")
    replace_atomically(out, data)


SCREENSHOT = re.compile(r"^::: screenshot (\S+)\s+(.*)$", re.M)


def screenshots_to_html(markdown_text: str, shots: pathlib.Path) -> str:
    def figure(m):
        name, caption = m.group(1), html.escape(m.group(2).strip())
        path = shots / name
        if path.exists():
            return (f'<figure><img src="{path.resolve().as_uri()}" alt="{caption}">'
                    f"<figcaption>{caption}</figcaption></figure>")
        return (f'<figure class="pending"><div class="placeholder">画面写真（準備中）<br>'
                f"<code>{html.escape(name)}</code></div><figcaption>{caption}</figcaption></figure>")
    return SCREENSHOT.sub(lambda m: "\n" + figure(m) + "\n", markdown_text)


def build_manual(source: pathlib.Path, shots: pathlib.Path, out: pathlib.Path) -> None:
    import markdown
    import weasyprint

    text = screenshots_to_html(source.read_text(encoding="utf-8"), shots)
    md = markdown.Markdown(extensions=["tables", "toc", "attr_list", "md_in_html"],
                           extension_configs={"toc": {"toc_depth": "1-2"}})
    body = md.convert(text)
    title = "Korvane 取扱説明書"
    page = (f'<!DOCTYPE html><html lang="ja"><head><meta charset="utf-8"><title>{title}</title>'
            f"</head><body>{body}</body></html>")
    css = weasyprint.CSS(filename=str(source.with_name("manual.css")))
    pdf = weasyprint.HTML(string=page, base_url=str(source.parent)).write_pdf(stylesheets=[css])
    replace_atomically(out, pdf)


def main(argv) -> int:
    if len(argv) == 4 and argv[1] == "document":
        build_document(pathlib.Path(argv[2]), pathlib.Path(argv[3]))
    elif len(argv) == 5 and argv[1] == "manual":
        build_manual(pathlib.Path(argv[2]), pathlib.Path(argv[3]), pathlib.Path(argv[4]))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
