#!/usr/bin/env bash
# The DXF reader and korvane-cli against the cost of only finding the lines: times, side by side
# in one run, `cat` and `wc -l` of the benchmark drawing, a C program that counts its lines with
# memchr (tools/line_count.c), `korvane-cli texts`, `korvane-cli convert` and the reader
# benchmark. Each command runs RUNS times; the table gives the median CPU time (user + system)
# and wall time, the CPU time against the line count, and the peak resident memory.
#
# Usage: tools/bench_reader.sh [BUILD_DIR (default build/native)] [RUNS (default 5)]
# The build must have the benchmarks (the native preset). The drawing is the one the reader
# benchmark generates (Shift-JIS, AC1015, about 100 MB), written once to BUILD_DIR/bench-reader.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
runs=${2:-5}
bin=$build/bin
work=$build/bench-reader
mkdir -p "$work"
drawing=$work/drawing.dxf
[ -s "$drawing" ] || "$bin/dxf_reader_bench" --write_drawing="$drawing"
${CC:-cc} -O2 -o "$work/line_count" tools/line_count.c

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) cores," \
  "$(awk '/MemTotal/ {printf "%.0f GB RAM", $2 / 1e6}' /proc/meminfo);" \
  "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Drawing: $drawing, $(stat -L -c %s "$drawing") bytes, $(wc -l <"$drawing") lines"
echo

# The reader alone, as docs/performance.md reports it: median of 5 repetitions, CPU time.
reader_ms=$("$bin/dxf_reader_bench" --benchmark_filter=shift_jis --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"/ {print $4}')

python3 - "$runs" "$drawing" "$work" "$bin/korvane-cli" "$reader_ms" <<'PY'
import os, statistics, subprocess, sys, time

runs, drawing, work, cli, reader_ms = int(sys.argv[1]), *sys.argv[2:]
data = "samples"
convert = [cli, "convert", "--ini", f"{data}/Korvane.ini", "--base", f"{data}/base_parts.txt",
           "--words", f"{data}/prohibited_words.txt", "--out", f"{work}/parts.csv", "--one-file",
           "--csv", drawing]
commands = [
    ("cat > /dev/null", ["cat", drawing]),
    ("wc -l", ["wc", "-l", drawing]),
    ("line count (memchr per line)", [f"{work}/line_count", drawing]),
    ("korvane-cli texts > /dev/null", [cli, "texts", drawing]),
    ("korvane-cli convert (one CSV)", convert),
]

def measure(argv):
    """CPU seconds (user + system) and wall seconds of one run."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        p = subprocess.Popen(argv, stdout=null, stderr=null)
        _, status, usage = os.wait4(p.pid, 0)
        wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed: {' '.join(argv)}")
    return usage.ru_utime + usage.ru_stime, wall

def peak_rss_mb(argv):
    """Peak resident memory of one run, by GNU time (a child of this script would count the
    memory of the script it was forked from)."""
    with open(os.devnull, "wb") as null:
        r = subprocess.run(["/usr/bin/time", "-f", "%M", *argv], stdout=null,
                           stderr=subprocess.PIPE, text=True, check=True)
    return int(r.stderr.strip().splitlines()[-1]) / 1024

# Rounds over all commands, so that each sees the same load.
results = {name: [] for name, _ in commands}
for _ in range(runs):
    for name, argv in commands:
        results[name].append(measure(argv))

def median(name, k):
    return statistics.median(r[k] for r in results[name])

rss = {name: peak_rss_mb(argv) for name, argv in commands}

base = median("line count (memchr per line)", 0)
print(f"| Command | CPU time (median of {runs}) | Wall time | CPU against the line count | Peak RSS |")
print("|---|---|---|---|---|")
for name, _ in commands:
    cpu = median(name, 0)
    print(f"| {name} | {cpu:.3f} s | {median(name, 1):.3f} s | {cpu / base:.2f}x | "
          f"{rss[name]:.1f} MB |")
size = os.path.getsize(drawing)
ms = float(reader_ms) / 1e3 if reader_ms else float("nan")  # the CSV gives milliseconds
print(f"| read_dxf_file (dxf_reader_bench, median of 5) | {ms:.3f} s | | {ms / base:.2f}x "
      f"| {size / ms / 1e9:.2f} GB/s |")
PY
echo
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
