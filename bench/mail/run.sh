#!/usr/bin/env bash
# Mail check benchmark, all in one run, 127 pets each with its own Dovecot mailbox on loopback:
#  - Torvin's pass in plain text against curl (one process per mailbox), and against a bare
#    native raw-socket client making the same sequential exchanges (the floor, PopFloor.cpp);
#  - Torvin's pass over pop3s:// against curl over pop3s://, same Dovecot with TLS.
#   bench/mail/run.sh [build folder]   (default build/x86_64, with mail_bench.exe built)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/x86_64}
exe="$build/bench/mail/mail_bench.exe"
[ -f "$exe" ] || { echo "build mail_bench first: $exe is missing" >&2; exit 1; }
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"

port=${TORVIN_BENCH_PORT:-11210}
tls_port=${TORVIN_BENCH_TLS_PORT:-11295}
dir=$(mktemp -d /tmp/torvin-mail-bench.XXXXXX)
trap 'bash "$root/tools/dovecot.sh" stop "$dir/tls" & bash "$root/tools/dovecot.sh" stop "$dir" & wait; rm -rf "$dir"' EXIT

specs=()
logins=()
for i in $(seq 1 127); do
  specs+=("pet$i:pw$i:$((i % 10))")
  logins+=("pet$i:pw$i")
done
bash "$root/tools/dovecot.sh" start "$dir" "$port" "${specs[@]}"
bash "$root/tools/dovecot.sh" start-tls "$dir/tls" "$tls_port" "${specs[@]}"
c++ -std=c++20 -O2 -o "$dir/pop_floor" "$root/bench/mail/PopFloor.cpp"

curl_all() {  # scheme host:port [curl options]: the seconds curl takes for all mailboxes
  local scheme=$1 server=$2 start end
  shift 2
  start=$(date +%s.%N)
  for login in "${logins[@]}"; do
    curl -s --max-time 30 -o /dev/null "$@" "$scheme://$login@$server/" || echo "curl failed for $login" >&2
  done
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN {printf "%.3f", e - s}'
}
seconds() { awk '{print $(NF-1)}' <<<"$1"; }

# Dovecot indexes each mailbox at its first log-in; one untimed round keeps that out of every timing.
"$dir/pop_floor" "$port" "${logins[@]}" >/dev/null
curl_all pop3s "localhost:$tls_port" --cacert "$dir/tls/certs/ca.pem" >/dev/null

# Torvin's passes and the floor differ by little against the server's own time, so each runs
# three times, interleaved, and the median of each counts.
median_line() { sort -t' ' -k8 -g | sed -n 2p; }
torvin_lines="" floor_lines="" tls_lines=""
for _ in 1 2 3; do
  torvin_lines+=$(/usr/lib/wine/wine64 "$exe" "127.0.0.1:$port" "${logins[@]}" | tr -d '\r')$'\n'
  floor_lines+=$("$dir/pop_floor" "$port" "${logins[@]}")$'\n'
  tls_lines+=$(/usr/lib/wine/wine64 "$exe" "pop3s://localhost:$tls_port" "${logins[@]}" | tr -d '\r')$'\n'
done
torvin_line=$(printf '%s' "$torvin_lines" | median_line)
floor_line=$(printf '%s' "$floor_lines" | median_line)
tls_line=$(printf '%s' "$tls_lines" | median_line)
echo "$torvin_line"
curl_seconds=$(curl_all pop3 "127.0.0.1:$port")
echo "curl: 127 mailboxes listed in $curl_seconds s"
echo "$floor_line"
echo "${tls_line/torvin:/torvin pop3s:}"
curl_tls_seconds=$(curl_all pop3s "localhost:$tls_port" --cacert "$dir/tls/certs/ca.pem")
echo "curl pop3s: 127 mailboxes listed in $curl_tls_seconds s"

awk -v t="$(seconds "$torvin_line")" -v c="$curl_seconds" 'BEGIN {printf "ratio torvin/curl: %.2f\n", t / c}'
awk -v t="$(seconds "$torvin_line")" -v c="$(seconds "$floor_line")" 'BEGIN {printf "ratio torvin/floor: %.2f\n", t / c}'
awk -v t="$(seconds "$tls_line")" -v c="$curl_tls_seconds" 'BEGIN {printf "ratio torvin/curl pop3s: %.2f\n", t / c}'
