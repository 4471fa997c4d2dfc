#!/usr/bin/env bash
# window_start.sh XVTINST [RUNS] [IDLE_SECONDS]: run inside an X server of
# its own (own_xvfb.sh). For each run: milliseconds from exec to the main
# window's first frame on the screen (the program's "xvt: frame shown" line),
# the resident size then, and over IDLE_SECONDS of idling the CPU time spent
# and the times its threads were woken (voluntary context switches).
set -uo pipefail
prog=$1 runs=${2:-5} idle=${3:-5}
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/prefix" "$work/tmp"
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
echo "run  start_ms  rss_mb  idle_cpu_ms_per_s  wakeups_per_s"
for run in $(seq 1 "$runs"); do
  : >"$work/stderr"
  # The clock is read as the program is started, a fork away from its exec.
  (TMPDIR="$work/tmp" WINEPREFIX="$work/prefix" XVT_REPORT_HOST=1 exec "$prog" 2>"$work/stderr" </dev/null >/dev/null) &
  pid=$!
  start=$(date +%s%N)
  until grep -qF 'xvt: frame shown "Varnholt' "$work/stderr"; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended:"; cat "$work/stderr"; exit 1; }
    sleep 0.001
  done
  shown=$(date +%s%N)
  rss=$(awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")
  sleep 1  # let the start-up settle before the idle second counts
  c0=$(cpu_ticks "$pid") w0=$(wakeups "$pid")
  sleep "$idle"
  c1=$(cpu_ticks "$pid") w1=$(wakeups "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=""
  awk -v r="$run" -v ms=$(((shown - start) / 1000000)) -v rss="$rss" -v c=$((c1 - c0)) -v t="$ticks" \
      -v w=$((w1 - w0)) -v s="$idle" 'BEGIN {printf "%3d  %8d  %6s  %17.1f  %13.1f\n", r, ms, rss, c * 1000 / t / s, w / s}'
done
