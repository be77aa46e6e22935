#!/usr/bin/env bash
# Measures THTTPGet on a 200 MiB loopback body beside `curl --http1.0 -o /dev/null`,
# the runs alternating, and prints each run, the medians and their ratio: once
# without a progress handler and once with an empty one (one hand-over to the
# GUI thread per 1025 bytes). Then the latency from Cancel to OnError while the
# server hangs mid-body. A benchmark, not a test: it asserts nothing.
#
#   bench/http/run.sh            ROUNDS=7 BUILD_DIR=... to change the defaults
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build/net-bench}
rounds=${ROUNDS:-5}
size=$((200 * 1024 * 1024))

echo "== building the driver in $build"
cmake -S "$root/bench/http" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target http_bench -j "$(nproc)" >/dev/null
bench=$build/http_bench

# The server ends when its standard input closes; the trap stops it by its id.
coproc SERVER { exec python3 "$root/tests/support/http_server.py"; }
server_pid=$SERVER_PID
trap 'kill "$server_pid" 2>/dev/null || true' EXIT
read -r _ port _ <&"${SERVER[0]}"
url=http://127.0.0.1:$port/len/$size
for name in http_proxy HTTP_PROXY all_proxy ALL_PROXY no_proxy; do unset "$name"; done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mib_per_s() { awk -v s="$1" -v n="$size" 'BEGIN { printf "%.0f", n / s / 1048576 }'; }

curl_times=() plain_times=() progress_times=()
echo "== $rounds rounds of 200 MiB: seconds (MiB/s)"
printf "%-6s %-18s %-18s %-18s\n" round curl component "component+progress"
for ((i = 1; i <= rounds; i++)); do
  c=$(curl -s --http1.0 -o /dev/null -w '%{time_total}' "$url")
  p=$("$bench" "$port" fetch "/len/$size" "$size")
  g=$("$bench" "$port" fetch "/len/$size" "$size" progress)
  curl_times+=("$c") plain_times+=("$p") progress_times+=("$g")
  printf "%-6s %-18s %-18s %-18s\n" "$i" "$c ($(mib_per_s "$c"))" "$p ($(mib_per_s "$p"))" \
    "$g ($(mib_per_s "$g"))"
done

mc=$(printf '%s\n' "${curl_times[@]}" | median)
mp=$(printf '%s\n' "${plain_times[@]}" | median)
mg=$(printf '%s\n' "${progress_times[@]}" | median)
echo "== medians"
echo "curl --http1.0:                 $mc s, $(mib_per_s "$mc") MiB/s"
echo "component, no progress handler: $mp s, $(mib_per_s "$mp") MiB/s, throughput ratio to curl $(awk -v a="$mc" -v b="$mp" 'BEGIN { printf "%.2f", a / b }')"
echo "component, empty handler:       $mg s, $(mib_per_s "$mg") MiB/s, throughput ratio to curl $(awk -v a="$mc" -v b="$mg" 'BEGIN { printf "%.2f", a / b }')"

echo "== cancel latency while the server hangs mid-body (ms, Cancel to OnError)"
latencies=$("$bench" "$port" cancel 11)
echo "$latencies" | tr '\n' ' '
echo
echo "median $(echo "$latencies" | median) ms, max $(echo "$latencies" | sort -g | tail -1) ms"
