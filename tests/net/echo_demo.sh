#!/bin/sh
# The network demonstration over loopback: a server and a client process,
# 1,000 round trips; then the refusal of a bad argument.
set -eu
demo="$1"
port=$((20000 + $$ % 20000))
"$demo" --server --adresse 127.0.0.1 --port "$port" &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
"$demo" --client 127.0.0.1 --port "$port" --runden 1000 --groesse 16
wait "$server"
trap - EXIT
set +e
"$demo" --client 127.0.0.1 --runden zehn 2>/dev/null
test $? -eq 2
