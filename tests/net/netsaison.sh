#!/bin/sh
# A network game over loopback: a server and two clients, three processes,
# 30 days of the shipped world. Every day each client's view (its club, its
# league's fixtures and table) equals the server's; the client's club plays
# the server's club in lockstep, a mismatch forced in minute 30 is found and
# repaired; the second client is killed mid-season and the game goes on.
set -eu
tool="$1"
# The server and the first client end by themselves (or by their time
# limit, well within the suite's); the second is this script's to kill.
dir=$(mktemp -d)
port=$((20000 + $$ % 20000))
# A loopback address of this run's own, so runs side by side never meet.
adresse="127.$((100 + ($$ >> 8) % 100)).$(($$ % 256)).1"
pids=""
aufraeumen() {
    # timeout hands a TERM on to its tool; a KILL would leave the tool behind.
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    sleep 0.5
    for p in $pids; do kill -9 "$p" 2>/dev/null || true; done
    rm -rf "$dir"
}
trap aufraeumen EXIT INT TERM
fehler() {
    echo "netsaison: $1" >&2
    for f in s a b; do echo "--- $f" >&2; grep -v '^SICHT' "$dir/$f.log" >&2 || true; done
    exit 1
}
: >"$dir/s.log"
: >"$dir/a.log"
: >"$dir/b.log"
timeout 200 "$tool" -s "$port" -a "$adresse" -m 2 -c "FSV Falach" -t 30 >"$dir/s.log" 2>&1 &
server=$!
timeout 200 "$tool" -j "$port" -a "$adresse" -c "Fortuna Kroningen" -t 30 -f 30 >"$dir/a.log" 2>&1 &
a=$!
"$tool" -j "$port" -a "$adresse" -c "VfB Wendelborn" -t 30 >"$dir/b.log" 2>&1 &
b=$!
pids="$server $a $b"

# The second client goes away without a word after its 12th day.
n=0
while [ "$(grep -c '^SICHT' "$dir/b.log" || true)" -lt 12 ]; do
    n=$((n + 1))
    [ "$n" -lt 1800 ] || fehler "the second client did not reach its 12th day"
    kill -0 "$b" 2>/dev/null || fehler "the second client ended early"
    sleep 0.1
done
kill -9 "$b"
wait "$b" 2>/dev/null || true

wait "$a" || fehler "the first client failed"
wait "$server" || fehler "the server failed"
pids=""

# Every view a client printed is the server's of that day.
anders=$(grep -h '^SICHT' "$dir/a.log" "$dir/b.log" | grep -Fxv -f "$dir/s.log" || true)
[ -z "$anders" ] || fehler "a client's view differs from the server's: $anders"
[ "$(grep -c '^SICHT' "$dir/a.log")" -eq 30 ] || fehler "the first client did not see 30 days"
grep -q '^day 30:' "$dir/s.log" || fehler "the server did not play 30 days"
grep -q 'has gone' "$dir/s.log" || fehler "the server did not notice the killed client"
# The lockstep match of the first client's club against the server's club.
grep -q '^LOCKSTEP .*FSV Falach - Fortuna Kroningen' "$dir/s.log" || fehler "no lockstep match with the server's club"
grep -q '^STOERUNG .* minute 30$' "$dir/a.log" || fehler "the mismatch was not forced"
grep -A1 '^STOERUNG' "$dir/a.log" | grep -q '^ABWEICHUNG' || fehler "the mismatch was not found"
grep -A2 '^STOERUNG' "$dir/a.log" | grep -q '^REPARIERT' || fehler "the mismatch was not repaired"
# In step, a copy never parts from the server's match but where it was forced
# to, and ends each match with the server's final record.
[ "$(cat "$dir/a.log" "$dir/b.log" | grep -c '^ABWEICHUNG')" -eq 1 ] || fehler "a lockstep match went out of step unforced"
! grep -q '^OFFEN' "$dir/a.log" "$dir/b.log" || fehler "a client ended a lockstep match without the server's final record"
anders=$(grep -h '^ENDSTAND' "$dir/a.log" "$dir/b.log" | grep -Fxv -f "$dir/s.log" || true)
[ -z "$anders" ] || fehler "a lockstep match ended differently on the client: $anders"
grep '^client:\|^server:' "$dir/a.log" "$dir/s.log"
