#!/bin/sh
# Where jpegwerk's output goes when things go wrong: an existing file it may
# write in a folder it may not write to is written (in place, once the whole
# output is ready), and a decode killed with SIGKILL leaves no file behind in
# the target's folder (the output has no name until it is whole).
set -u
werk="$1"; ordner="$2/ausgabe_probe"
rm -rf "$ordner"; mkdir -p "$ordner" && cd "$ordner" || exit 1
chmod 755 "$ordner"
fehler=0
{ printf 'P5\n64 48\n255\n'; head -c 3072 /dev/zero | tr '\0' '\200'; } > ein.pgm
"$werk" k -q 90 ein.pgm ein.jpg || { echo "encode failed"; exit 1; }
"$werk" d ein.jpg soll.pgm || { echo "decode failed"; exit 1; }
chmod 644 ein.jpg ein.pgm soll.pgm

# A folder the program may not write to, holding a file it may write.
mkdir -p nurlesen
printf 'alt' > nurlesen/bild.pgm
printf 'alt' > nurlesen/bild.jpg
if [ "$(id -u)" = 0 ]; then
  # As another user: the folder stays root's, the files become that user's.
  chown 65534 nurlesen/bild.pgm nurlesen/bild.jpg
  als="setpriv --reuid=65534 --regid=65534 --clear-groups --"
else
  als=""
fi
chmod 555 nurlesen
# shellcheck disable=SC2086
$als "$werk" d ein.jpg nurlesen/bild.pgm || { echo "decode into an existing file of a read-only folder failed"; fehler=1; }
cmp -s soll.pgm nurlesen/bild.pgm || { echo "the file in the read-only folder is not the decoded picture"; fehler=1; }
# shellcheck disable=SC2086
$als "$werk" k -q 90 ein.pgm nurlesen/bild.jpg || { echo "encode into an existing file of a read-only folder failed"; fehler=1; }
cmp -s ein.jpg nurlesen/bild.jpg || { echo "the file in the read-only folder is not the encoded picture"; fehler=1; }
# A new name there is still refused, and nothing is made.
# shellcheck disable=SC2086
$als "$werk" d ein.jpg nurlesen/neu.pgm 2>/dev/null && { echo "a new file in a read-only folder was reported written"; fehler=1; }
[ -e nurlesen/neu.pgm ] && { echo "a new file appeared in a read-only folder"; fehler=1; }
chmod 755 nurlesen

# A large decode killed with SIGKILL while it writes.
{ printf 'P6\n3000 2000\n255\n'; head -c 18000000 /dev/urandom; } > gross.ppm
"$werk" k -q 98 gross.ppm gross.jpg || { echo "encode of the large picture failed"; exit 1; }
rm -f gross.ppm
mkdir -p tot
"$werk" d gross.jpg tot/aus.ppm &
pid=$!
sleep 0.3
kill -9 $pid 2>/dev/null
wait $pid 2>/dev/null
rest=$(ls -A tot)
if [ -n "$rest" ] && [ "$rest" != "aus.ppm" ]; then
  echo "a killed decode left: $rest"; fehler=1
fi
# A decode that ended before the kill leaves the whole picture: its header and 3000x2000x3 bytes.
ganz=$(( $(printf 'P6\n3000 2000\n255\n' | wc -c) + 18000000 ))
if [ "$rest" = "aus.ppm" ] && [ "$(wc -c < tot/aus.ppm)" -ne "$ganz" ]; then
  echo "a killed decode left a partial aus.ppm"; fehler=1
fi
cd .. && rm -rf "$ordner"
exit $fehler
