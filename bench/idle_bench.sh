#!/usr/bin/env bash
# Idle benchmark: starts the game, leaves it at the title and reads from /proc
# how much of one core it takes and how often its threads wake up.
#
# Usage: bench/idle_bench.sh [-n RUNS] [-s SECONDS] [-w WARMUP] [EXECUTABLE]
#   RUNS     runs to make (default 3); the median of each figure is printed
#   SECONDS  length of one measurement (default 20)
#   WARMUP   seconds given to start-up and loading first (default 6)
#   EXECUTABLE defaults to build-rel/pellumbrisk, then build/pellumbrisk
#
# Without DISPLAY the script starts its own Xvfb on a free display, so the game
# opens a real X11 window with no GPU behind it. SDL_AUDIODRIVER defaults to
# "dummy": a mixer thread pulls the sound at the rate a sound card would.
#
# CPU is user plus system time of all threads over wall time, in per cent of
# one core. Wake-ups are the voluntary context switches of all threads (each
# one is a sleep that ended), per second; preemptions are printed apart.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs=3 seconds=20 warmup=6
while getopts "n:s:w:" opt; do
  case $opt in
    n) runs=$OPTARG ;;
    s) seconds=$OPTARG ;;
    w) warmup=$OPTARG ;;
    *) sed -n '2,12p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
exe="${1:-}"
if [ -z "$exe" ]; then
  for candidate in "$here/build-rel/pellumbrisk" "$here/build/pellumbrisk"; do
    [ -x "$candidate" ] && { exe=$candidate; break; }
  done
fi
[ -n "$exe" ] && [ -x "$exe" ] || { echo "idle_bench: no game executable (build it first)" >&2; exit 1; }

# The game keeps its saves beside the executable: run a copy in a scratch folder.
work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp "$exe" "$work/pellumbrisk"

if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "idle_bench: Xvfb is not installed (apt-get install xvfb)" >&2; exit 1; }
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  export DISPLAY="$display"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

ticks=$(getconf CLK_TCK)

# Sums over the live threads of the game: "cpu_ticks voluntary nonvoluntary threads".
sample() {
  local pid=$1 cpu vol=0 invol=0 threads=0 f
  cpu=$(awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat")
  for f in /proc/"$pid"/task/*/status; do
    read -r v i < <(awk '/^voluntary_ctxt_switches/ { v = $2 } /^nonvoluntary_ctxt_switches/ { i = $2 } END { print v + 0, i + 0 }' "$f" 2>/dev/null || echo "0 0")
    vol=$((vol + v)); invol=$((invol + i)); threads=$((threads + 1))
  done
  echo "$cpu $vol $invol $threads"
}

# Voluntary switches per thread name, to see who wakes.
per_thread() {
  local pid=$1 f
  for f in /proc/"$pid"/task/*; do
    printf '%s %s %s\n' "${f##*/}" "$(tr -d ' ' <"$f/comm" 2>/dev/null)" \
      "$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$f/status" 2>/dev/null)"
  done
}

cpus=() wakes=()
for run in $(seq "$runs"); do
  # A runtime folder of its own keeps the single-instance lock apart from
  # any other copy of the game running on this machine.
  (cd "$work" && XDG_RUNTIME_DIR="$work" exec ./pellumbrisk >"$work/game.log" 2>&1) &
  game_pid=$!
  sleep "$warmup"
  kill -0 "$game_pid" 2>/dev/null || { echo "idle_bench: the game ended early:" >&2; cat "$work/game.log" >&2; exit 1; }
  read -r c0 v0 i0 _ < <(sample "$game_pid")
  per_thread "$game_pid" >"$work/before"
  t0=$(date +%s.%N)
  sleep "$seconds"
  read -r c1 v1 i1 threads < <(sample "$game_pid")
  t1=$(date +%s.%N)
  per_thread "$game_pid" >"$work/after"
  kill "$game_pid"; wait "$game_pid" 2>/dev/null || true
  game_pid=""
  line=$(awk -v c="$((c1 - c0))" -v v="$((v1 - v0))" -v i="$((i1 - i0))" -v t0="$t0" -v t1="$t1" -v hz="$ticks" \
    'BEGIN { s = t1 - t0; printf "%.2f %.1f %.1f", 100 * c / hz / s, v / s, i / s }')
  read -r cpu wake preempt <<<"$line"
  cpus+=("$cpu"); wakes+=("$wake")
  printf 'run %d: cpu %s%% of one core, %s wake-ups/s (%s preemptions/s), %d threads\n' \
    "$run" "$cpu" "$wake" "$preempt" "$threads"
  # Threads by name: how many, and their wake-ups per second in this run.
  awk -v s="$seconds" 'NR == FNR { b[$1] = $3; next } { n[$2]++; w[$2] += $3 - b[$1] }
    END { for (k in n) printf "  %-16s x%-3d %8.1f wake-ups/s\n", k, n[k], w[k] / s }' "$work/before" "$work/after" |
    sort -k3,3 -g -r
done

median() { printf '%s\n' "$@" | sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
printf 'median of %d: cpu %s%% of one core, %s wake-ups/s\n' "$runs" "$(median "${cpus[@]}")" "$(median "${wakes[@]}")"
