#!/bin/sh
# Round trip of jpegwerk on a small grey picture and a CMYK one, and its
# answers to bad arguments (exit 2), to a cut file (exit 2 as a warning, the
# picture written whole), to unreadable input and unwritable output (exit 1,
# no output left), to an existing output (written over, cut to its length;
# kept byte for byte when the codec refuses), to devices and pipes as the
# output (written through, never removed),
# to the input given as output (refused, kept), to pictures larger than the
# encoder's input band and its mapped windows, and to file names that begin
# with "-".
set -u
werk="$1"; ordner="$2/probe"
mkdir -p "$ordner" && cd "$ordner" || exit 1
# The encoder's stream for a device or pipe waits in a temporary file here.
TMPDIR="$ordner/tmp"; export TMPDIR; mkdir -p "$TMPDIR"
{ printf 'P5\n16 16\n255\n'; i=0; while [ $i -lt 256 ]; do printf "\\$(printf %o $((i % 200 + 20)))"; i=$((i + 1)); done; } > ein.pgm
fehler=0
pruefe() { erwartet=$1; shift; "$@" 2>/dev/null; r=$?; [ $r -eq $erwartet ] || { echo "exit $r instead of $erwartet: $*"; fehler=1; }; }
pruefe 0 "$werk" k -q 90 ein.pgm aus.jpg
pruefe 0 "$werk" d aus.jpg aus.pgm
[ "$(head -c 9 aus.pgm)" = "$(printf 'P5\n16 16\n')" ] || { echo "wrong PGM header"; fehler=1; }
pruefe 0 "$werk" k -progressiv -abtastung 422 ein.pgm prog.jpg
pruefe 0 "$werk" d -glatt -skala 2 prog.jpg klein.pgm
head -c $(($(wc -c < aus.jpg) - 40)) aus.jpg > kurz.jpg
pruefe 2 "$werk" d kurz.jpg kurz.pgm
[ "$(wc -c < kurz.pgm)" -eq "$(wc -c < aus.pgm)" ] || { echo "cut picture not written whole"; fehler=1; }
# CMYK (PAM) through both directions.
{ printf 'P7\nWIDTH 8\nHEIGHT 8\nDEPTH 4\nMAXVAL 255\nTUPLTYPE CMYK\nENDHDR\n'; i=0; while [ $i -lt 256 ]; do printf "\\$(printf %o $((i * 7 % 200 + 30)))"; i=$((i + 1)); done; } > cmyk.pam
pruefe 0 "$werk" k -q 95 cmyk.pam cmyk.jpg
pruefe 0 "$werk" d cmyk.jpg cmyk2.pam
[ "$(head -c 2 cmyk2.pam)" = "P7" ] && [ "$(wc -c < cmyk2.pam)" -eq "$(wc -c < cmyk.pam)" ] || { echo "CMYK not written as PAM"; fehler=1; }
# Unreadable input and unwritable output: exit 1, a reason, no output file.
pruefe 1 "$werk" d fehlt.jpg x.pgm
[ -e x.pgm ] && { echo "output left after a missing input"; fehler=1; }
"$werk" d fehlt.jpg x.pgm 2>&1 | grep -q "existiert nicht" || { echo "no reason for a missing input"; fehler=1; }
pruefe 1 "$werk" d aus.jpg kein/ordner/x.pgm
"$werk" d . x.pgm 2>&1 | grep -q "Ordner" || { echo "no reason for a folder as input"; fehler=1; }
pruefe 1 "$werk" d kurz.pgm x.pgm
[ -e x.pgm ] && { echo "output left after a refused input"; fehler=1; }
# An existing output is written over: a longer one keeps none of its tail,
# a shorter one grows, a device is written without being cut.
head -c 70000 /dev/zero | tr '\0' 'x' > lang.pgm
pruefe 0 "$werk" d aus.jpg lang.pgm
cmp -s aus.pgm lang.pgm || { echo "decode over a longer file differs from a fresh one"; fehler=1; }
head -c 70000 /dev/zero | tr '\0' 'x' > lang.jpg
pruefe 0 "$werk" k -q 90 ein.pgm lang.jpg
cmp -s aus.jpg lang.jpg || { echo "encode over a longer file differs from a fresh one"; fehler=1; }
printf 'P5' > kurz2.pgm
pruefe 0 "$werk" d aus.jpg kurz2.pgm
cmp -s aus.pgm kurz2.pgm || { echo "decode over a shorter file differs from a fresh one"; fehler=1; }
pruefe 0 "$werk" d aus.jpg /dev/null
# A decode or encode the codec refuses after the output was opened (a stream
# without Huffman tables, a CMYK picture asked for as grey) leaves an
# existing file of the output's name byte for byte, its rights too, and no
# temporary file; a picture written over a file keeps the file's rights, and
# one written through a link replaces the file it leads to, not the link.
python3 - aus.jpg ohne_dht.jpg <<'PY'
import sys
d = open(sys.argv[1], 'rb').read()
aus, i = bytearray(d[:2]), 2
while i < len(d):
    marke, laenge = d[i + 1], d[i + 2] * 256 + d[i + 3]
    if marke == 0xDA:
        aus += d[i:]
        break
    if marke != 0xC4:
        aus += d[i:i + 2 + laenge]
    i += 2 + laenge
open(sys.argv[2], 'wb').write(aus)
PY
printf 'ein Bild, das bleibt' > bleibt.ppm
chmod 640 bleibt.ppm
cp -p bleibt.ppm bleibt.jpg
pruefe 1 "$werk" d ohne_dht.jpg bleibt.ppm
[ "$(cat bleibt.ppm)" = "ein Bild, das bleibt" ] || { echo "refused decode changed the existing output"; fehler=1; }
pruefe 1 "$werk" k -grau cmyk.pam bleibt.jpg
[ "$(cat bleibt.jpg)" = "ein Bild, das bleibt" ] || { echo "refused encode changed the existing output"; fehler=1; }
[ "$(stat -c %a bleibt.ppm)" = 640 ] || { echo "refused decode changed the output's rights"; fehler=1; }
pruefe 0 "$werk" d aus.jpg bleibt.ppm
cmp -s aus.pgm bleibt.ppm && [ "$(stat -c %a bleibt.ppm)" = 640 ] || { echo "decode over a file lost its rights"; fehler=1; }
ln -s bleibt.jpg verweis.jpg
pruefe 0 "$werk" k -q 90 ein.pgm verweis.jpg
[ -L verweis.jpg ] && cmp -s aus.jpg bleibt.jpg || { echo "encode through a link replaced the link"; fehler=1; }
# A device or a pipe as the output is written straight through and stays
# whatever happens (a character device made here where that is permitted).
if mknod geraet c 1 3 2>/dev/null; then
  pruefe 1 "$werk" d ohne_dht.jpg geraet
  pruefe 1 "$werk" k -grau cmyk.pam geraet
  pruefe 0 "$werk" d aus.jpg geraet
  pruefe 0 "$werk" k -q 90 ein.pgm geraet
  [ -c geraet ] || { echo "a device as the output was removed or replaced"; fehler=1; }
  rm -f geraet
else
  echo "no character device made (not permitted): the pipe below stands for it"
fi
# /dev/null as the output of a refused decode and encode stays the device.
pruefe 1 "$werk" d ohne_dht.jpg /dev/null
pruefe 1 "$werk" k -grau cmyk.pam /dev/null
[ -c /dev/null ] || { echo "/dev/null removed or replaced"; fehler=1; }
# (Each side of the pipe gives up after a while: a tool that removed the
# pipe would leave the other waiting.)
mkfifo rohr
timeout 20 cat rohr > rohr.aus &
pruefe 1 timeout 20 "$werk" d ohne_dht.jpg rohr
wait
timeout 20 cat rohr > rohr.aus &
pruefe 0 timeout 20 "$werk" d aus.jpg rohr
wait
[ -p rohr ] && cmp -s aus.pgm rohr.aus || { echo "a pipe as the output was removed or not written"; fehler=1; }
# An encode into a pipe: the reader gets the whole stream (the same as in a
# file) and nothing at all when the encode is refused.
timeout 20 cat rohr > rohr.aus &
pruefe 0 timeout 20 "$werk" k -q 90 ein.pgm rohr
wait
[ -p rohr ] && cmp -s aus.jpg rohr.aus || { echo "an encode into a pipe was cut or lost"; fehler=1; }
timeout 20 cat rohr > rohr.aus &
pruefe 1 timeout 20 "$werk" k -grau cmyk.pam rohr
wait
[ -p rohr ] && [ ! -s rohr.aus ] || { echo "a refused encode wrote into the pipe"; fehler=1; }
# /dev/stdout appended to a file (>>) keeps what the file held, decoding and
# encoding.
printf 'vorher' > angehaengt.bin
"$werk" d aus.jpg /dev/stdout >> angehaengt.bin 2>/dev/null
"$werk" k -q 90 ein.pgm /dev/stdout >> angehaengt.bin 2>/dev/null
{ printf 'vorher'; cat aus.pgm aus.jpg; } | cmp -s - angehaengt.bin || { echo "appending through /dev/stdout lost data"; fehler=1; }
# A link to a name not yet taken: the picture is made where it leads, the
# link stays.
ln -s neu_hinter_verweis.jpg offen.jpg
pruefe 0 "$werk" k -q 90 ein.pgm offen.jpg
[ -L offen.jpg ] && cmp -s aus.jpg neu_hinter_verweis.jpg || { echo "a link to a new name was replaced"; fehler=1; }
# Run by root over someone else's file, the file keeps its owner.
if [ "$(id -u)" = 0 ]; then
  cp aus.jpg fremd.jpg && chown 4321:4322 fremd.jpg
  pruefe 0 "$werk" k -q 90 ein.pgm fremd.jpg
  [ "$(stat -c %u:%g fremd.jpg)" = 4321:4322 ] || { echo "a replaced file lost its owner"; fehler=1; }
fi
# A device that takes nothing (/dev/full): decode and encode fail, exit 1.
if [ -c /dev/full ]; then
  pruefe 1 "$werk" d aus.jpg /dev/full
  pruefe 1 "$werk" k -q 90 ein.pgm /dev/full
fi
# A full disk (a small memory file system, where mounting one is permitted):
# decode and encode fail with the output's name and the reason, and the
# existing file of that name stays.
mkdir -p voll
{ printf 'P5\n300 300\n255\n'; head -c 90000 /dev/urandom; } > rauschen.pgm
pruefe 0 "$werk" k -q 100 rauschen.pgm rauschen.jpg
if mount -t tmpfs -o size=64k tmpfs voll 2>/dev/null; then
  printf 'alt' > voll/bild
  pruefe 1 "$werk" d rauschen.jpg voll/bild
  "$werk" k -q 100 rauschen.pgm voll/bild 2>&1 | grep -q "voll/bild.*kein Platz" ||
    { echo "a full disk named neither the output nor the reason"; fehler=1; }
  [ "$(cat voll/bild)" = alt ] && [ "$(ls -A voll)" = bild ] || { echo "a full disk changed the existing file"; fehler=1; }
  umount voll
else
  echo "no small file system mounted (not permitted): the full-disk case is skipped"
fi
# /dev/stdout leading to a file the shell opened writes into that file (the
# same one, not replaced).
: > umgeleitet.pgm
vorher=$(stat -c %i umgeleitet.pgm)
"$werk" d aus.jpg /dev/stdout > umgeleitet.pgm 2>/dev/null
cmp -s aus.pgm umgeleitet.pgm && [ "$(stat -c %i umgeleitet.pgm)" = "$vorher" ] ||
  { echo "/dev/stdout into a file replaced or missed the file"; fehler=1; }
ls -A | grep -q '^\.jpegwerk-' && { echo "temporary output file left"; fehler=1; }
ls -A "$TMPDIR" | grep -q '^jpegwerk-' && { echo "temporary stream file left"; fehler=1; }
# Input and output the same file: refused (exit 1, a reason), the file kept.
cp aus.jpg selbst.jpg
pruefe 1 "$werk" d selbst.jpg selbst.jpg
"$werk" d selbst.jpg ./selbst.jpg 2>&1 | grep -q "dieselbe Datei" || { echo "no reason for the same file"; fehler=1; }
cmp -s aus.jpg selbst.jpg || { echo "input lost when written onto itself"; fehler=1; }
cp ein.pgm selbst.pgm
pruefe 1 "$werk" k selbst.pgm selbst.pgm
cmp -s ein.pgm selbst.pgm || { echo "encode input lost when written onto itself"; fehler=1; }
# A picture of several input bands: the same stream whatever the header's
# length (the bands' offsets in the file), baseline and progressive, and
# decoded whole.
head -c 300000 /dev/urandom > gross.roh
{ printf 'P5\n600 500\n255\n'; cat gross.roh; } > gross.pgm
{ printf 'P5\n# ein Kommentar, der die Zeilen verschiebt\n600 500\n255\n'; cat gross.roh; } > gross2.pgm
for art in "" "-progressiv"; do
  # shellcheck disable=SC2086
  pruefe 0 "$werk" k -q 80 $art gross.pgm gross.jpg
  # shellcheck disable=SC2086
  pruefe 0 "$werk" k -q 80 $art gross2.pgm gross2.jpg
  cmp -s gross.jpg gross2.jpg || { echo "large picture: stream depends on the header ($art)"; fehler=1; }
  pruefe 0 "$werk" d gross.jpg gross3.pgm
  [ "$(wc -c < gross3.pgm)" -eq "$(wc -c < gross.pgm)" ] || { echo "large picture not decoded whole ($art)"; fehler=1; }
done
# A picture larger than 8 MB is mapped in windows of 256 KB, not read: the
# same stream whatever the header's length (the windows start on page
# boundaries, the bands do not), one whose comments run past the first KB
# too, and the decoded rows close to the pixels (a band taken from the wrong
# place would differ in nearly every byte).
{ head -c 4000000 /dev/urandom; head -c 4000000 /dev/zero; head -c 1000000 /dev/urandom; } > riesig.roh
{ printf 'P5\n3000 3000\n255\n'; cat riesig.roh; } > riesig.pgm
{ printf 'P5\n# %02000d\n3000 3000\n255\n' 0; cat riesig.roh; } > riesig2.pgm
{ printf 'P5\n# %02000d\n600 500\n255\n' 0; cat gross.roh; } > gross4.pgm
pruefe 0 "$werk" k -q 100 -abtastung 444 riesig.pgm riesig.jpg
pruefe 0 "$werk" k -q 100 -abtastung 444 riesig2.pgm riesig2.jpg
cmp -s riesig.jpg riesig2.jpg || { echo "mapped picture: stream depends on the header"; fehler=1; }
pruefe 0 "$werk" k -q 80 gross4.pgm gross4.jpg
pruefe 0 "$werk" k -q 80 gross.pgm gross.jpg
cmp -s gross.jpg gross4.jpg || { echo "a header past the first KB changes the stream"; fehler=1; }
pruefe 0 "$werk" d riesig.jpg riesig3.pgm
python3 - riesig.pgm riesig3.pgm <<'PY' || { echo "mapped picture: decoded rows far from the pixels"; fehler=1; }
import sys
a = open(sys.argv[1], 'rb').read()[-9000000:]
b = open(sys.argv[2], 'rb').read()[-9000000:]
sys.exit(0 if len(a) == len(b) and max(abs(x - y) for x, y in zip(a[::97], b[::97])) <= 6 else 1)
PY
# A file cut inside the pixels is refused before any work (exit 1, no output).
head -c 8500000 riesig.pgm > riesig_kurz.pgm
pruefe 1 "$werk" k riesig_kurz.pgm x.jpg
[ -e x.jpg ] && { echo "output left after a cut picture"; fehler=1; }
rm -f riesig*.pgm riesig.roh riesig*.jpg
# A decode larger than the output's gathered writes (a sixteenth of the
# file, past page boundaries): the same bytes in a new file, over a longer
# and a shorter one and through a pipe, smooth or not.
head -c 1260000 /dev/urandom > farbe.roh
{ printf 'P6\n700 600\n255\n'; cat farbe.roh; } > farbe.ppm
pruefe 0 "$werk" k -q 90 farbe.ppm farbe.jpg
for art in "" "-glatt"; do
  rm -f farbe_neu.ppm
  # shellcheck disable=SC2086
  pruefe 0 "$werk" d $art farbe.jpg farbe_neu.ppm
  [ "$(wc -c < farbe_neu.ppm)" -eq "$(wc -c < farbe.ppm)" ] || { echo "large decode not written whole ($art)"; fehler=1; }
  head -c 1500000 /dev/zero | tr '\0' 'x' > farbe_lang.ppm
  printf 'P6' > farbe_kurz.ppm
  for ziel in farbe_lang.ppm farbe_kurz.ppm; do
    # shellcheck disable=SC2086
    pruefe 0 "$werk" d $art farbe.jpg $ziel
    cmp -s farbe_neu.ppm $ziel || { echo "large decode over $ziel differs from a new file ($art)"; fehler=1; }
  done
  # shellcheck disable=SC2086
  "$werk" d $art farbe.jpg /dev/stdout 2>/dev/null | cmp -s - farbe_neu.ppm || { echo "large decode through a pipe differs ($art)"; fehler=1; }
done
# The fast transform gives the picture (close to the accurate one), not grey.
for skala in 1 2 4 8; do
  pruefe 0 "$werk" d -skala $skala farbe.jpg genau.ppm
  pruefe 0 "$werk" d -schnell -skala $skala farbe.jpg schnell.ppm
  python3 - genau.ppm schnell.ppm <<'PY' || { echo "-schnell far from the accurate picture (1/$skala)"; fehler=1; }
import sys
a, b = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
sys.exit(0 if len(a) == len(b) and max(abs(x - y) for x, y in zip(a[20:], b[20:])) <= 12 else 1)
PY
done
# Names that begin with "-" after "--".
cp aus.jpg ./-strich.jpg
pruefe 0 "$werk" d -- -strich.jpg -strich.pgm
cmp -s aus.pgm ./-strich.pgm || { echo "-- not taken"; fehler=1; }
pruefe 0 "$werk" k -q 90 -- ein.pgm -strich2.jpg
pruefe 0 "$werk" -h
for falsch in "x" "k -q 101 ein.pgm a.jpg" "k -abtastung 411 ein.pgm a.jpg" "d -skala 3 aus.jpg a.pgm" "d aus.jpg" "k -neustart 2 -progressiv ein.pgm a.jpg"; do
  # shellcheck disable=SC2086
  pruefe 2 "$werk" $falsch
done
exit $fehler
