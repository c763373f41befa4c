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
trap 'rm -f "$log"' EXIT
echo "== tests (native, AddressSanitizer + UBSan)"
ctest --preset native -j "$jobs" | tee -a "$log"

port=${TORVIN_DOVECOT_PORT:-11110}
dovecot_dir=/tmp/torvin-dovecot-$$
tls_port=${TORVIN_DOVECOT_TLS_PORT:-11995}
bash tools/dovecot.sh start "$dovecot_dir" "$port" zero:zpw:0 three:tpw:3 many:mpw:1200
# POP3 over TLS, with bad certificates on the next four ports; the test CA is trusted in $WINEPREFIX only.
bash tools/dovecot.sh start-tls "$dovecot_dir/tls" "$tls_port" zero:zpw:0 three:tpw:3 many:mpw:1200
trap 'bash tools/dovecot.sh stop "$dovecot_dir/tls"; bash tools/dovecot.sh stop "$dovecot_dir"; rm -rf "$dovecot_dir" "$log"' EXIT
export TORVIN_DOVECOT_PORT=$port TORVIN_DOVECOT_TLS_PORT=$tls_port TORVIN_DOVECOT_TLS_DIR="$dovecot_dir/tls"
# One long-lived client keeps the prefix's virtual desktop up between test processes; both
# loaders talk to the same wineserver, so it serves the i686 and the x86_64 tests alike.
keepalive="$WINEPREFIX/.torvin-keepalive.pid"
if ! { [ -f "$keepalive" ] && kill -0 "$(cat "$keepalive")" 2>/dev/null; }; then
  setsid /usr/lib/wine/wine64 build/x86_64/tools/keepalive.exe </dev/null >/dev/null 2>&1 &
  echo $! >"$keepalive"
fi
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
echo "== bounded fuzzing"
bash tools/fuzz.sh
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
[ "$format_ok" = 1 ] || { echo "formatting check failed" >&2; failed=$((failed + 1)); }
[ "$literals_ok" = 1 ] || { echo "text check failed" >&2; failed=$((failed + 1)); }
[ "$failed" = 0 ] || { echo "tests: $total passed, $failed failed"; exit 1; }
echo "tests: $total passed, 0 failed"
