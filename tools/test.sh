#!/usr/bin/env bash
# Installs what is missing, builds every flavour (x86_64 and i686 Windows, native with
# sanitizers, fuzz targets) and runs every test: natively, under Wine for both Windows builds,
# and bounded fuzzing. An existing WINEPREFIX and DISPLAY are used as they are; the private
# Dovecot listens on TORVIN_DOVECOT_PORT (11110 unless set), so parallel runs need not collide.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)

bash tools/setup.sh
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh

jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2
for preset in native x86_64 i686 fuzz; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

log=$(mktemp)
native_log=$(mktemp)
fuzz_log=$(mktemp)
dovecot_dir=/tmp/torvin-dovecot-$$
background=()
cleanup() {
  [ ${#background[@]} -eq 0 ] || kill "${background[@]}" 2>/dev/null || true
  if [ -d "$dovecot_dir" ]; then
    # Only these two are waited for: a bare wait would also wait for any long-lived child.
    bash tools/dovecot.sh stop "$dovecot_dir/tls" &
    local tls_stop=$!
    bash tools/dovecot.sh stop "$dovecot_dir"
    wait "$tls_stop" || true
  fi
  rm -rf "$dovecot_dir" "$log" "$native_log" "$fuzz_log"
}
trap cleanup EXIT
# The native tests and the bounded fuzzing keep the processor busy while the Wine tests mostly
# wait on windows and sockets, so they run beside them; their output follows the Wine tests'.
echo "== tests (native, AddressSanitizer + UBSan) and bounded fuzzing, in the background"
ctest --preset native -j "$jobs" >"$native_log" 2>&1 &
native_pid=$!
background+=("$native_pid")
TORVIN_FUZZ_SECONDS=${TORVIN_FUZZ_SECONDS:-8} bash tools/fuzz.sh >"$fuzz_log" 2>&1 &
fuzz_pid=$!
background+=("$fuzz_pid")

# One long-lived client keeps the prefix's virtual desktop up between test processes; both
# loaders talk to the same wineserver, so it serves the i686 and the x86_64 tests alike.
keepalive="$WINEPREFIX/.torvin-keepalive.pid"
# It is the first Wine program of the run, so the prefix's system programs start with its output
# (none) and stay up with it; and it is started from a subshell, so that it is no child of this
# script and outlives it unwaited.
if ! { [ -f "$keepalive" ] && kill -0 "$(cat "$keepalive")" 2>/dev/null; }; then
  (
    setsid /usr/lib/wine/wine64 build/x86_64/tools/keepalive.exe </dev/null >/dev/null 2>&1 &
    echo $! >"$keepalive"
  )
fi
port=${TORVIN_DOVECOT_PORT:-11110}
tls_port=${TORVIN_DOVECOT_TLS_PORT:-11995}
bash tools/dovecot.sh start "$dovecot_dir" "$port" zero:zpw:0 three:tpw:3 many:mpw:1200
# POP3 over TLS, with bad certificates on the next four ports; the test CA is trusted in $WINEPREFIX only.
bash tools/dovecot.sh start-tls "$dovecot_dir/tls" "$tls_port" zero:zpw:0 three:tpw:3 many:mpw:1200
export TORVIN_DOVECOT_PORT=$port TORVIN_DOVECOT_TLS_PORT=$tls_port TORVIN_DOVECOT_TLS_DIR="$dovecot_dir/tls"
echo "== tests (x86_64 under Wine, with a private Dovecot on 127.0.0.1:$port)"
ctest --preset x86_64 | tee -a "$log"
i686_note=""
if torvin_runs_32bit; then
  echo "== tests (i686 under Wine: the exe of the release zip)"
  ctest --preset i686 | tee -a "$log"
else
  i686_note="i686 Wine tests NOT RUN: this kernel cannot start 32-bit programs (boot it with ia32_emulation=on)"
  echo "== $i686_note"
fi
echo "== tests (native, AddressSanitizer + UBSan)"
native_ok=1
wait "$native_pid" || native_ok=0
cat "$native_log" | tee -a "$log"
echo "== bounded fuzzing"
fuzz_ok=1
wait "$fuzz_pid" || fuzz_ok=0
cat "$fuzz_log"
background=()
echo "== release archive"
bash tools/release.sh
echo "== benchmarks (they report, never fail)"
bash tools/bench.sh || true

echo "== formatting (clang-format --dry-run -Werror)"
format_ok=1
git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run -Werror || format_ok=0

echo "== user-visible texts only in the string table"
literals_ok=1
bash tools/check-literals.sh || literals_ok=0

echo "== all done in $(( $(date +%s) - start ))s"
[ -z "$i686_note" ] || echo "$i686_note"
count_lines() { xargs -0 cat 2>/dev/null | grep -cv '^[[:space:]]*$' || true; }
test_lines=$(git ls-files -z 'tests/*.cpp' 'tests/*.h' 'tests/*.c' | count_lines)
code_lines=$(git ls-files -z '*.cpp' '*.h' '*.c' ':!tests/*' | count_lines)
echo "test-to-code ratio: $test_lines test lines / $code_lines code lines = $(( 100 * test_lines / code_lines ))%"
total=$(grep -Eo 'tests failed out of [0-9]+' "$log" | awk '{s += $5} END {print s + 0}')
[ "$total" -gt 0 ] || { echo "no test ran" >&2; exit 1; }
failed=0
[ "$native_ok" = 1 ] || { echo "native tests failed" >&2; failed=$((failed + 1)); }
[ "$fuzz_ok" = 1 ] || { echo "fuzzing found a failure" >&2; failed=$((failed + 1)); }
[ "$format_ok" = 1 ] || { echo "formatting check failed" >&2; failed=$((failed + 1)); }
[ "$literals_ok" = 1 ] || { echo "text check failed" >&2; failed=$((failed + 1)); }
[ "$failed" = 0 ] || { echo "tests: $total passed, $failed failed"; exit 1; }
echo "tests: $total passed, 0 failed"
