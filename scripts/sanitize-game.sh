#!/usr/bin/env bash
# Runs the sanitizer-built game for a while, then asks it to close as a
# window manager would (SDL turns SIGTERM into its quit event), and fails on
# any report of AddressSanitizer, UndefinedBehaviorSanitizer or
# LeakSanitizer. The game writes its saves beside itself: it runs from a copy
# in a fresh directory, which also holds its runtime folder.
# Usage: sanitize-game.sh GAME [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
game="$1"
seconds="${2:-10}"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cp "$game" "$dir/pellumbrisk"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$here/.ci/lsan.supp:print_suppressions=0"
# A runtime folder of its own: the single-instance lock is taken there, so a
# copy of the game the player has open on this machine neither stops this
# run nor is stopped by it (the saves are apart already). A Wayland socket
# named relative to the old folder is named by its whole path.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ "${WAYLAND_DISPLAY#/}" = "$WAYLAND_DISPLAY" ] && [ -n "${XDG_RUNTIME_DIR:-}" ]; then
  export WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
fi
mkdir -m 700 "$dir/run"
export XDG_RUNTIME_DIR="$dir/run"
# Without a display the game runs on SDL's dummy drivers.
if [ -z "${DISPLAY:-}" ]; then export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}"; fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
"$dir/pellumbrisk" &
pid=$!
sleep "$seconds"
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "sanitize-game: the game ended with status $status" >&2
  exit 1
fi
echo "sanitize-game: clean after ${seconds} s"
