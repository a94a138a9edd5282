#!/usr/bin/env bash
# Times sending 500 statements by e-mail, end to end, to a local SMTP server
# (tests/mail/smtp_server.py on aiosmtpd): the statements built, each written
# as its PDF file, each message written and sent over one connection.
# The sample business's customers are chosen over and over to make 500.
#   bench/mail/mail_bench.sh [path/to/vantrell-tool]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
tool="${1:-$root/build/src/tool/vantrell-tool}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/received"
"$tool" init "$work/data" >/dev/null
"$tool" demo "$work/data" >/dev/null
mkfifo "$work/hold"
/usr/bin/python3 "$root/tests/mail/smtp_server.py" "$work/received/" <"$work/hold" >"$work/port" \
  2>/dev/null &
exec 3>"$work/hold"
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
"$tool" mail-settings "$work/data" --host 127.0.0.1 --port "$(cat "$work/port")" \
  --security none --from "Bench <bench@example.com>" >/dev/null
numbers=($("$tool" export "$work/data" CUST5 --out - | awk -F, 'NR > 1 && $3 ~ /^[0-9]+$/ {print $3}'))
customers="$(for i in $(seq 0 499); do echo "${numbers[$((i % ${#numbers[@]}))]}"; done | paste -sd, -)"
start=$(date +%s.%N)
"$tool" report statements --data "$work/data" --customers "$customers" --email >"$work/out" || true
end=$(date +%s.%N)
exec 3>&-
sent=$(grep -c '  sent$' "$work/out" || true)
echo "statements=500 sent=$sent received=$(ls "$work/received" | grep -c '\.eml$') seconds=$(echo "$end - $start" | bc)"
