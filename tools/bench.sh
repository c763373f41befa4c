#!/usr/bin/env bash
# Builds the benchmarks, runs every one and prints one table: each row sets Torvin's time
# against a baseline measured in the same run. Benchmarks never fail: a row that could not be
# measured says so, and the script still ends with status 0.
#   tools/bench.sh [build folder]   (default: the x86_64 preset's build/x86_64)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

bash tools/setup.sh || echo "bench: setup failed; trying with what is installed" >&2
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh

if [ $# -gt 0 ]; then
  build=$(realpath -m "$1")
  configure=(cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake"
    -DCMAKE_BUILD_TYPE=Release)
else
  build=$root/build/x86_64
  configure=(cmake --preset x86_64)
fi
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2
if ! { "${configure[@]}" >/dev/null &&
  cmake --build "$build" -j "$jobs" --target torvin_shipped bare_dialog list_socket_dialog startup_bench swap_bench \
    mail_bench >/dev/null; }; then
  echo "bench: the benchmarks did not build in $build; nothing measured" >&2
  exit 0
fi

windows_path() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
# Console output of Windows programs ends its lines with CR LF.
run_wine() { /usr/lib/wine/wine64 "$@" 2>&1 | tr -d '\r'; }
# The number just before the unit at the end of the first line that matches.
figure() { awk -v pattern="$2" '$0 ~ pattern {print $(NF-1); exit}' <<<"$1"; }
ratio() { awk -v pattern="$2" '$0 ~ pattern {print $NF; exit}' <<<"$1"; }

rows=()
add_row() {  # name, ours, baseline name, baseline, ratio, unit
  if [ -n "$2" ] && [ -n "$4" ] && [ -n "$5" ]; then
    rows+=("$(printf '%-34s %12s   %-22s %12s   %6s' "$1" "$2 $6" "$3" "$4 $6" "$5")")
  else
    rows+=("$(printf '%-34s %12s   %-22s %12s   %6s' "$1" "not measured" "$3" "-" "-")")
  fi
}

echo "== start-up"
# The exe as users get it, without the symbol table the linker leaves in: a file two and a half
# times as large takes Wine measurably longer to start.
startup=$(run_wine "$build/bench/startup/startup_bench.exe" "$(windows_path "$build/shipped/Torvin.exe")" \
  "$(windows_path "$build/bench/startup/bare_dialog.exe")" \
  "$(windows_path "$build/bench/startup/list_socket_dialog.exe")")
echo "$startup"
# The list view and the socket layer are needed at start, so that dialog is the fair floor.
add_row "start-up until idle and shown" "$(figure "$startup" '^start-up of Torvin')" "list view + sockets" \
  "$(figure "$startup" '^start-up of a list view')" "$(ratio "$startup" '^ratio torvin / list')" ms
add_row "start-up until idle and shown" "$(figure "$startup" '^start-up of Torvin')" "bare Win32 dialog" \
  "$(figure "$startup" '^start-up of a bare')" "$(ratio "$startup" '^ratio torvin / bare')" ms

echo "== launch swap"
swap=$(run_wine "$build/bench/swap_bench.exe")
echo "$swap"
add_row "launch swap, 20 MB settings file" "$(figure "$swap" '^launch swap')" "two CopyFileW copies" \
  "$(figure "$swap" '^two CopyFileW')" "$(ratio "$swap" '^ratio swap / copies')" ms
# The least any durable swap must do: one copy of the file and its flush.
add_row "launch swap, 20 MB settings file" "$(figure "$swap" '^launch swap')" "one copy + its flush" \
  "$(figure "$swap" '^one copy and its flush')" "$(awk '/^ratio swap \/ flushed/ {print $6; exit}' <<<"$swap")" ms

echo "== mail check"
mail=$(bash bench/mail/run.sh "$build" 2>&1)
echo "$mail"
add_row "mail check, 127 mailboxes" "$(figure "$mail" '^torvin:')" "curl, one per mailbox" \
  "$(figure "$mail" '^curl:')" "$(ratio "$mail" '^ratio torvin/curl:')" s
add_row "mail check, 127 mailboxes" "$(figure "$mail" '^torvin:')" "raw-socket floor" \
  "$(figure "$mail" '^floor:')" "$(ratio "$mail" '^ratio torvin/floor:')" s
add_row "mail check over TLS, 127 mailboxes" "$(figure "$mail" '^torvin pop3s:')" "curl pop3s, one each" \
  "$(figure "$mail" '^curl pop3s:')" "$(ratio "$mail" '^ratio torvin/curl pop3s:')" s

echo
printf '%-34s %12s   %-22s %12s   %6s\n' "benchmark" "Torvin" "baseline" "its time" "ratio"
printf '%s\n' "${rows[@]}"
echo "(ratio = Torvin / baseline, measured in this run; below 1 is faster than the baseline)"
exit 0
