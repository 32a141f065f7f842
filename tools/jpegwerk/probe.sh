#!/bin/sh
# Round trip of jpegwerk on a small grey picture, and its answers to bad
# arguments (exit 2) and to a cut file (exit 1, the picture still written).
set -u
werk="$1"; ordner="$2/probe"
mkdir -p "$ordner" && cd "$ordner" || exit 1
{ printf 'P5\n16 16\n255\n'; i=0; while [ $i -lt 256 ]; do printf "\\$(printf %o $((i % 200 + 20)))"; i=$((i + 1)); done; } > ein.pgm
fehler=0
pruefe() { erwartet=$1; shift; "$@" 2>/dev/null; r=$?; [ $r -eq $erwartet ] || { echo "exit $r instead of $erwartet: $*"; fehler=1; }; }
pruefe 0 "$werk" k -q 90 ein.pgm aus.jpg
pruefe 0 "$werk" d aus.jpg aus.pgm
[ "$(head -c 9 aus.pgm)" = "$(printf 'P5\n16 16\n')" ] || { echo "wrong PGM header"; fehler=1; }
pruefe 0 "$werk" k -progressiv -abtastung 422 ein.pgm prog.jpg
pruefe 0 "$werk" d -glatt -skala 2 prog.jpg klein.pgm
head -c $(($(wc -c < aus.jpg) - 40)) aus.jpg > kurz.jpg
pruefe 1 "$werk" d kurz.jpg kurz.pgm
[ -s kurz.pgm ] || { echo "cut picture not written"; fehler=1; }
pruefe 1 "$werk" d fehlt.jpg x.pgm
for falsch in "x" "k -q 101 ein.pgm a.jpg" "k -abtastung 411 ein.pgm a.jpg" "d -skala 3 aus.jpg a.pgm" "d aus.jpg" "k -neustart 2 -progressiv ein.pgm a.jpg"; do
  # shellcheck disable=SC2086
  pruefe 2 "$werk" $falsch
done
exit $fehler
