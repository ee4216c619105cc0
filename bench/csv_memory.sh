#!/usr/bin/env bash
# The memory bound of velars-tp-calc --csv: peak resident memory, measured
# from outside the process (the kernel's high-water mark of the child),
# on a generated file of at least 150 MB, for several thread counts and for
# the same text through a pipe. Fails when any run exceeds the bound.
# Usage: bench/csv_memory.sh [path/to/velars-tp-calc] [rows] [bound MB]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="${1:-$root/build/cli/velars-tp-calc}"
rows="${2:-4000000}"
bound="${3:-100}"
[ -x "$tool" ] || { echo "no executable at $tool (build the target velars-tp-calc)" >&2; exit 2; }

input="$("$root/bench/csv_rows.sh" "$rows")"
output="${TMPDIR:-/tmp}/velars-tp-calc-memory.out.csv"
trap 'rm -f "$output"' EXIT

python3 - "$tool" "$input" "$output" "$bound" <<'PY'
import os, resource, subprocess, sys, time

tool, source, output, bound = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
print(f"{os.path.getsize(source) / 1e6:.0f} MB input, bound {bound:.0f} MB")
worst = 0.0

def run(label, args, pipe_from=None):
    global worst
    start = time.monotonic()
    feeder = subprocess.Popen(["cat", pipe_from], stdout=subprocess.PIPE) if pipe_from else None
    pid = os.fork()
    if pid == 0:
        if feeder:
            os.dup2(feeder.stdout.fileno(), 0)
        os.execv(tool, [tool] + args)
    if feeder:
        feeder.stdout.close()
    _, status, usage = os.wait4(pid, 0)
    if feeder:
        feeder.wait()
    seconds = time.monotonic() - start
    peak = usage.ru_maxrss / 1024  # kB to MB
    worst = max(worst, peak)
    code = os.waitstatus_to_exitcode(status)
    print(f"{label:<24} peak RSS {peak:6.1f} MB  {seconds:5.2f} s  exit {code}")
    if code != 0:
        sys.exit(f"velars-tp-calc exited with {code}")

for threads in ("1", "2", "4", "64"):
    run(f"--threads {threads}", ["--csv", source, "--output", output, "--threads", threads])
run("default threads", ["--csv", source, "--output", output])
run("standard input (pipe)", ["--csv", "-", "--output", output], pipe_from=source)
print(f"worst peak RSS {worst:.1f} MB")
if worst > bound:
    sys.exit(f"peak RSS {worst:.1f} MB exceeds {bound:.0f} MB")
PY
