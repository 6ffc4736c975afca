#!/usr/bin/env bash
# Unpacks the Windows release zip into a fresh folder and a fresh Wine prefix, as a user who has
# just downloaded it would, and checks that it works there:
#  1. the zip: every file in place, Japanese names stored in UTF-8 with the UTF-8 flag, the README
#     in UTF-8 with a byte-order mark and CR LF, Korvane.ini pointing into samples\;
#  2. korvane-cli.exe converts the bundled samples with the bundled Korvane.ini into the expected
#     three files;
#  3. Korvane.exe starts in its folder with the bundled Korvane.ini (main window up, no message,
#     so the sample pair was found), closes cleanly, and leaves Korvane.ini and the reference
#     files as they were.
# Usage: release_zip_test.sh ZIP START_CHECK_EXE GOLDEN_DIR
set -euo pipefail
zip=$1 start_check=$2 golden=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'KORVANE_WINEPREFIX="$work/prefix" . "$here/../gui/wine-env.sh"; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

python3 - "$zip" "$work/Korvane" <<'PY'
import sys, zipfile
zip_path, dest = sys.argv[1:]
want = {"Korvane.exe", "korvane-cli.exe", "Korvane-Manual.pdf", "Korvaneﾄﾞｷﾒﾝﾄ.txt", "Korvane.ini",
        "samples/main_circuit.dxf", "samples/control_circuit.dxf", "samples/operation_board.dxf",
        "samples/base_parts.txt", "samples/prohibited_words.txt", "LICENSE",
        "THIRD-PARTY-NOTICES.txt", "README.txt"}
problems = []
with zipfile.ZipFile(zip_path) as z:
    infos = {i.filename: i for i in z.infolist()}
    if set(infos) != want:
        problems.append("entries differ: missing %s, extra %s"
                        % (sorted(want - set(infos)), sorted(set(infos) - want)))
    for name, info in infos.items():
        if not name.isascii() and not info.flag_bits & 0x800:
            problems.append("%s: name stored without the UTF-8 flag" % name)
    if z.testzip() is not None:
        problems.append("a member fails its CRC check")
    readme = z.read("README.txt")
    if not readme.startswith(b"\xef\xbb\xbf") or b"\n" in readme.replace(b"\r\n", b""):
        problems.append("README.txt is not UTF-8 with a BOM and CR LF")
    ini = z.read("Korvane.ini").split(b"\r\n")
    for line in (b"part_file1=samples\\base_parts.txt",
                 b"kinsi_file1=samples\\prohibited_words.txt"):
        if line not in ini:
            problems.append("Korvane.ini lacks %r" % line)
    if len([l for l in ini if l]) != 56:
        problems.append("Korvane.ini does not have its 56 lines")
    for exe in ("Korvane.exe", "korvane-cli.exe"):
        data = z.read(exe)
        if b"S\0t\0r\0i\0n\0g\0F\0i\0l\0e\0I\0n\0f\0o" not in data:
            problems.append("%s has no version resource" % exe)
    z.extractall(dest)
if problems:
    print("release zip: FAILED:\n  " + "\n  ".join(problems))
    sys.exit(1)
print("release zip: %d entries, names and texts as expected" % len(infos))
PY

app="$work/Korvane"
cp -p "$app/Korvane.ini" "$work/Korvane.ini.before"
(cd "$app/samples" && sha256sum base_parts.txt prohibited_words.txt) > "$work/reference.sums"

"$here/../gui/wine-setup.sh" "$work/prefix" >/dev/null
export KORVANE_WINEPREFIX="$work/prefix"
. "$here/../gui/wine-env.sh"
wineserver -p

# 2. The command-line program on the bundled samples, from the unpacked folder.
(cd "$app" && env $KORVANE_WINE_LOCALE wine korvane-cli.exe convert --out parts.csv \
  'samples\main_circuit.dxf' 'samples\control_circuit.dxf' 'samples\operation_board.dxf') \
  >"$work/cli.out" 2>"$work/cli.err" || {
  echo "release zip: FAILED: korvane-cli.exe convert exited non-zero"; cat "$work/cli.err"; exit 1; }
for n in 1 2 3; do
  if ! cmp -s "$app/parts$n.csv" "$golden/samples_all$n.csv"; then
    echo "release zip: FAILED: parts$n.csv differs from the expected parts list"
    exit 1
  fi
done
echo "release zip: korvane-cli.exe wrote the three expected parts lists"

# 3. The window program's start in its own folder.
env $KORVANE_WINE_LOCALE wine "$start_check" "$(winepath -w "$app")" | tr -d '\r' | tee "$work/start.out"
grep -q "closed with exit code 0" "$work/start.out"
cmp -s "$app/Korvane.ini" "$work/Korvane.ini.before" || {
  echo "release zip: FAILED: Korvane.exe changed the bundled Korvane.ini"; exit 1; }
(cd "$app/samples" && sha256sum -c --quiet "$work/reference.sums") || {
  echo "release zip: FAILED: Korvane.exe changed a reference file"; exit 1; }
echo "release zip: passed"
