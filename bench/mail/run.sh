#!/usr/bin/env bash
# Mail check benchmark: one pass over 127 pets, each with its own Dovecot mailbox on loopback,
# against the same 127 checks made with curl (one process per mailbox), in the same run.
#   bench/mail/run.sh [build folder]   (default build/x86_64, with mail_bench.exe built)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/x86_64}
exe="$build/bench/mail/mail_bench.exe"
[ -f "$exe" ] || { echo "build mail_bench first: $exe is missing" >&2; exit 1; }
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"

port=${TORVIN_BENCH_PORT:-11210}
dir=$(mktemp -d /tmp/torvin-mail-bench.XXXXXX)
trap 'bash "$root/tools/dovecot.sh" stop "$dir"; rm -rf "$dir"' EXIT

specs=()
logins=()
for i in $(seq 1 127); do
  specs+=("pet$i:pw$i:$((i % 10))")
  logins+=("pet$i:pw$i")
done
bash "$root/tools/dovecot.sh" start "$dir" "$port" "${specs[@]}"

# Dovecot indexes each mailbox at its first log-in; one untimed round keeps that out of both timings.
for login in "${logins[@]}"; do
  curl -s --max-time 30 -o /dev/null "pop3://$login@127.0.0.1:$port/" || true
done

torvin_line=$(/usr/lib/wine/wine64 "$exe" "$port" "${logins[@]}")
echo "$torvin_line"
torvin_seconds=$(awk '{print $(NF-1)}' <<<"$torvin_line")

start=$(date +%s.%N)
failed=0
for login in "${logins[@]}"; do
  curl -s --max-time 30 -o /dev/null "pop3://$login@127.0.0.1:$port/" || failed=$((failed + 1))
done
end=$(date +%s.%N)
curl_seconds=$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.3f", e - s}')
echo "curl: $((127 - failed)) of 127 mailboxes listed in $curl_seconds s"
awk -v t="$torvin_seconds" -v c="$curl_seconds" 'BEGIN {printf "ratio torvin/curl: %.2f\n", t / c}'
