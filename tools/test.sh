#!/usr/bin/env bash
# Installs what is missing, builds every flavour (x86_64 and i686 Windows, native with
# sanitizers, fuzz targets) and runs every test: natively, under Wine, and bounded fuzzing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)

bash tools/setup.sh
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh

jobs=$(nproc)
for preset in native x86_64 i686 fuzz; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "== tests (native, AddressSanitizer + UBSan)"
ctest --preset native -j "$jobs" | tee -a "$log"
echo "== tests (x86_64 under Wine, with a private Dovecot on 127.0.0.1)"
dovecot_dir=/tmp/torvin-dovecot-$$
bash tools/dovecot.sh start "$dovecot_dir" 11110 zero:zpw:0 three:tpw:3 many:mpw:1200
# POP3 over TLS on 11995, bad certificates on 11996-11999; the test CA is trusted in $WINEPREFIX only.
bash tools/dovecot.sh start-tls "$dovecot_dir/tls" 11995 zero:zpw:0 three:tpw:3 many:mpw:1200
trap 'bash tools/dovecot.sh stop "$dovecot_dir/tls"; bash tools/dovecot.sh stop "$dovecot_dir"; rm -rf "$dovecot_dir" "$log"' EXIT
export TORVIN_DOVECOT_PORT=11110 TORVIN_DOVECOT_TLS_PORT=11995 TORVIN_DOVECOT_TLS_DIR="$dovecot_dir/tls"
# One long-lived client keeps the virtual desktop up between test processes.
keepalive="$WINEPREFIX/.torvin-keepalive.pid"
if ! { [ -f "$keepalive" ] && kill -0 "$(cat "$keepalive")" 2>/dev/null; }; then
  setsid /usr/lib/wine/wine64 build/x86_64/tools/keepalive.exe </dev/null >/dev/null 2>&1 &
  echo $! >"$keepalive"
fi
ctest --preset x86_64 | tee -a "$log"
echo "== bounded fuzzing"
bash tools/fuzz.sh
echo "== release archives"
bash tools/release.sh
echo "== benchmarks (they report, never fail)"
bash tools/bench.sh || true
echo "== all done in $(( $(date +%s) - start ))s"
total=$(grep -Eo 'tests failed out of [0-9]+' "$log" | awk '{s += $5} END {print s + 0}')
[ "$total" -gt 0 ] || { echo "no test ran" >&2; exit 1; }
echo "tests: $total passed, 0 failed"
