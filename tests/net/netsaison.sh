#!/bin/sh
# Network games over loopback, the shipped world, server and clients in
# separate processes.
# Late join (34 days into the season), 30 days: every day each client's view
# (its club, its league's fixtures and table) equals the server's; the
# client's club plays the server's club in lockstep, a mismatch forced in
# minute 30 is found and repaired; the second client is killed mid-season and
# the game goes on; a third holds its club and falls silent, and its matches
# are played without it.
# Early join (two days into July, before the leagues are drawn), 20 days,
# alongside: every view equals the server's; a client that wants more days
# than the server plays is told in German that the server was lost.
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
    for f in s a b c s2 d e; do echo "--- $f" >&2; grep -v '^SICHT' "$dir/$f.log" >&2 || true; done
    exit 1
}
for f in s a b c s2 d e; do : >"$dir/$f.log"; done
timeout 360 "$tool" -s "$port" -a "$adresse" -m 3 -c "FSV Falach" -t 30 >"$dir/s.log" 2>&1 &
server=$!
timeout 360 "$tool" -j "$port" -a "$adresse" -c "Fortuna Kroningen" -t 30 -f 30 >"$dir/a.log" 2>&1 &
a=$!
"$tool" -j "$port" -a "$adresse" -c "VfB Wendelborn" -t 30 >"$dir/b.log" 2>&1 &
b=$!
timeout 360 "$tool" -j "$port" -a "$adresse" -c "Borussia Riedheim" -t 30 -x 22 >"$dir/c.log" 2>&1 &
c=$!
# The early game on a port and address of its own.
port2=$((port + 1))
adresse2="127.$((100 + ($$ >> 8) % 100)).$(($$ % 256)).2"
timeout 360 "$tool" -s "$port2" -a "$adresse2" -m 2 -t 20 -w 2 >"$dir/s2.log" 2>&1 &
server2=$!
timeout 360 "$tool" -j "$port2" -a "$adresse2" -c "Fortuna Kroningen" -t 20 >"$dir/d.log" 2>&1 &
d=$!
timeout 360 "$tool" -j "$port2" -a "$adresse2" -c "TSV Hinterborn" -t 25 >"$dir/e.log" 2>&1 &
e=$!
pids="$server $a $b $c $server2 $d $e"

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
wait "$c" || fehler "the silent client failed"
wait "$d" || fehler "an early client failed"
wait "$server2" || fehler "the early game's server failed"
if wait "$e"; then fehler "a client whose server ended did not fail"; fi
pids=""

# The early game: every view the server's, 20 days; the server's end told in German.
anders=$(grep -h '^SICHT' "$dir/d.log" "$dir/e.log" | grep -Fxv -f "$dir/s2.log" || true)
[ -z "$anders" ] || fehler "an early client's view differs from the server's: $anders"
[ "$(grep -c '^SICHT' "$dir/d.log")" -eq 20 ] || fehler "the early client did not see 20 days"
[ "$(grep -c '^SICHT' "$dir/e.log")" -eq 20 ] || fehler "the second early client did not see 20 days"
grep -q 'Die Verbindung zum Server ist abgebrochen.' "$dir/e.log" || fehler "the lost server was not told"
# The silent client held its club; its matches were played without it.
grep -q '^client goes silent' "$dir/c.log" || fehler "the third client did not fall silent"
awk '/^LOCKSTEP /{spiel[$2]=$0} /goes on without its client/{if (spiel[$3] ~ /Borussia Riedheim/) n++} END{exit n ? 0 : 1}' \
    "$dir/s.log" || fehler "the silent client's match was not played without it"
grep -q '^day 30:' "$dir/s.log" || fehler "the server did not play on after the silence"

# Every view a client printed is the server's of that day.
anders=$(grep -h '^SICHT' "$dir/a.log" "$dir/b.log" "$dir/c.log" | grep -Fxv -f "$dir/s.log" || true)
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
grep '^client:\|^server:' "$dir/a.log" "$dir/s.log" "$dir/d.log" "$dir/s2.log"
