#!/usr/bin/env bash
# Whole-process speed and memory of qvctl:
#   1. `qvctl advance` of a ten-bank game whose ten student disks (local folders) hold ready
#      decisions: the advance reads and writes every disk, each request answered OK, and no
#      bank needs the fix-decisions dialog. It includes what makes the advance safe: the lock,
#      the journal's copies into the quarter archive and its marker, and every sync of files
#      and folders on this machine's disk (target: median under 60 ms; run with TMPDIR on a
#      tmpfs to see the same advance without syncs, which a memory file system leaves out:
#      target under 15 ms);
#   2. a hundred quarters of a ten-bank computer game, one `qvctl advance` after another
#      (target: under 3 s in all);
#   3. the peak memory of one `qvctl advance` of the student game (target: under 10 MB).
# Every run of 1 starts from the same copy of the game and its disks; the copying is not timed.
#
# The disk requests of the student game are answered from a terminal that already holds an
# OK for each of them: unattended, qvctl takes the update's request for a disk read a moment
# before for a repeat and cancels it. The small Python driver below only opens that terminal
# and times the qvctl process itself.
#
# Usage: bench/advance_bench.sh [BUILD_DIR] [RUNS]     (defaults: build, 50)
set -euo pipefail

build=${1:-build}
runs=${2:-50}
qvctl=$(realpath "$build/bin/qvctl")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs qvctl with a terminal as standard input holding `answers` OKs; prints the microseconds
# the process took, or fails with its output when it did not end well.
cat >"$work/answer.py" <<'PY'
import os, subprocess, sys, time
answers, argv = int(sys.argv[1]), sys.argv[2:]
master, terminal = os.openpty()
os.write(master, b"o\n" * answers)
start = time.perf_counter_ns()
run = subprocess.run(argv, stdin=terminal, stdout=subprocess.PIPE)
elapsed = (time.perf_counter_ns() - start) // 1000
out = run.stdout.decode(errors="replace")
if run.returncode != 0 or "successfully" not in out or "NOT" in out or "Use the Decisions" in out:
    sys.exit("qvctl did not end well:\n" + out)
print(elapsed)
PY
answer() { python3 "$work/answer.py" "$@"; }

# The setup of ten banks: "Human" banks get a disk folder each, computer banks none.
write_setup() {  # Human|Computer, file
  local management=$1 file=$2 types=("Full Service" "Consumer" "Business" "Turnaround")
  {
    printf '{"game_title": "Bench", "beginning_period": 37, "banks": [\n'
    for b in $(seq 1 10); do
      local level=$management
      [ "$management" = Computer ] && level="Computer$(((b - 1) % 3 + 1))"
      printf '  {"name": "Bank%d", "management": "%s", "type": "%s"' "$b" "$level" \
        "${types[$(((b - 1) % 4))]}"
      if [ "$management" = Human ]; then
        printf ', "president": "P%d", "password": "p%d", "path": "%s/disk%d/"' "$b" "$b" \
          "$work/student" "$b"
      fi
      if [ "$b" -lt 10 ]; then printf '},\n'; else printf '}\n'; fi
    done
    printf ']}\n'
  } >"$file"
}

# Marks bank b's decisions on its disk final, as the students' program does: DecisionsReady
# (bytes 18..19 of the status record, record 38 + 13 (b - 1) of banks.qv) becomes 1. The
# status record already carries the game's quarter, since the disk was just written.
mark_ready() {  # bank
  local offset=$(((38 + 13 * ($1 - 1) - 1) * 84 + 18))
  printf '\001\000' | dd of="$work/student/disk$1/Banks.qv" bs=1 seek="$offset" conv=notrunc \
    status=none
}

reset_student() { rm -rf "$work/student" && cp -a "$work/student.orig" "$work/student"; }

summary() {  # microseconds, one a line
  sort -n | awk '{ v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "median %.1f ms   min %.1f ms   max %.1f ms   (%d runs)\n", m / 1000, v[1] / 1000, v[NR] / 1000, NR }'
}

# --- 1. one advance with ten student disks -------------------------------------------------
write_setup Human "$work/student.json"
answer 20 "$qvctl" new "$work/student/game" --setup "$work/student.json" --seed 1 >/dev/null
for b in $(seq 1 10); do mark_ready "$b"; done
cp -a "$work/student" "$work/student.orig"

echo "== qvctl advance: 10 banks, 10 student disks with ready decisions"
for _ in 1 2 3; do reset_student && answer 20 "$qvctl" advance "$work/student/game" --seed 1 >/dev/null; done
for _ in $(seq 1 "$runs"); do
  reset_student
  answer 20 "$qvctl" advance "$work/student/game" --seed 1
done | summary

# --- 2. a hundred quarters of a computer game ------------------------------------------------
write_setup Computer "$work/computer.json"
"$qvctl" new "$work/computer" --setup "$work/computer.json" --seed 1 </dev/null >/dev/null
echo "== 100 x qvctl advance: 10 computer banks"
start=$(date +%s%N)
for q in $(seq 1 100); do
  "$qvctl" advance "$work/computer" --seed "$q" </dev/null >/dev/null
done
echo "total  $((($(date +%s%N) - start) / 1000000)) ms"
if ! "$qvctl" verify "$work/computer" </dev/null >/dev/null; then
  echo "the computer game does not verify after 100 quarters" >&2
  exit 1
fi

# --- 3. peak memory ---------------------------------------------------------------------------
echo "== peak memory: qvctl advance of the student game"
reset_student
python3 "$work/answer.py" 20 /usr/bin/time -v "$qvctl" advance "$work/student/game" --seed 1 \
  2>&1 >/dev/null | grep "Maximum resident set size"
