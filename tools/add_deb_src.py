#!/usr/bin/env python3
"""Adds a deb-src entry for each deb entry of this release's own suites, in a file of its own
(/etc/apt/sources.list.d/korvane-deb-src.sources, or .list for one-line entries), so that
apt-get source finds the source packages of the archive the machine already uses. Prints the
file's path when it wrote one; does nothing when the file is there. Fails when no deb entry of
this release exists."""
import glob
import os
import re
import sys

SOURCES = "/etc/apt/sources.list.d"
OWN = os.path.join(SOURCES, "korvane-deb-src")


def release_codename():
    for line in open("/etc/os-release"):
        if line.startswith("VERSION_CODENAME="):
            return line.split("=", 1)[1].strip().strip('"')
    return ""


def deb822_entries(release):
    for path in sorted(glob.glob(SOURCES + "/*.sources")):
        if path.startswith(OWN):
            continue
        for stanza in re.split(r"\n\s*\n", open(path).read()):
            fields = {}
            for line in stanza.splitlines():
                if line.startswith("#") or ":" not in line or line[0].isspace():
                    continue
                key, value = line.split(":", 1)
                fields[key.strip()] = value.strip()
            if "deb" in fields.get("Types", "").split() and release in fields.get("Suites", "").split():
                fields["Types"] = "deb-src"
                yield "".join(f"{key}: {value}\n" for key, value in fields.items())


def one_line_entries(release):
    for path in ["/etc/apt/sources.list"] + sorted(glob.glob(SOURCES + "/*.list")):
        if path.startswith(OWN) or not os.path.exists(path):
            continue
        for line in open(path).read().splitlines():
            # deb [options] URI SUITE COMPONENT...
            match = re.match(r"\s*deb\s+(\[[^\]]*\]\s+)?(\S+)\s+(\S+)\s+(.*)$", line)
            if match and match.group(3) == release:
                options, uri, suite, components = match.groups()
                yield f"deb-src {options or ''}{uri} {suite} {components.strip()}\n"


def main():
    if os.path.exists(OWN + ".sources") or os.path.exists(OWN + ".list"):
        return 0
    release = release_codename()
    stanzas = list(deb822_entries(release))
    if stanzas:
        path, text = OWN + ".sources", "\n".join(stanzas)
    else:
        lines = list(one_line_entries(release))
        if not lines:
            sys.exit(f"add_deb_src.py: no deb entry for {release or 'this release'} to follow")
        path, text = OWN + ".list", "".join(lines)
    with open(path + ".new", "w") as f:
        f.write(text)
    os.replace(path + ".new", path)
    print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
