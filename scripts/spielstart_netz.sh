#!/usr/bin/env bash
# A network game started through the screens, headless, in two processes:
# the server sets up its manager through the wizard and listens on
# 127.0.0.1; once it shows its main menu a client switches the network on,
# types the address, tests it, joins, takes a club and reaches its own main
# menu. Each leaves its screenshots (s*.png, c*.png) in the output folder.
#
#   scripts/spielstart_netz.sh BUILD_FOLDER OUTPUT_FOLDER
#
# Exit code 0 when the client reached its main menu without a message,
# 1 when not, 2 on bad arguments. The game's port (3040) must be free.
set -u
if [[ $# -ge 1 && ( $1 == -h || $1 == --help ) ]]; then sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
if [[ $# -ne 2 || ! -x $1/kordavo || ! -d $1/game ]]; then
  echo "usage: scripts/spielstart_netz.sh BUILD_FOLDER OUTPUT_FOLDER (BUILD_FOLDER holds kordavo and game/)" >&2
  exit 2
fi
bau=$(cd "$1" && pwd)
mkdir -p "$2" || exit 2
aus=$(cd "$2" && pwd)
quelle=$(cd "$(dirname "$0")" && pwd)/spielstart
for rolle in server client; do
  mkdir -p "$aus/$rolle"
  printf 'Netz_Adresse=127.0.0.1\n' > "$aus/$rolle/settings.ini"
  sed "s|@BILDER@|$aus|g" "$quelle/$rolle.txt" > "$aus/$rolle/skript.txt"
done
rm -f "$aus"/s*.png "$aus"/c*.png
starten() {  # role, timeout in seconds
  KORDAVO_CONFIG_DIR="$aus/$1" KORDAVO_GAME_DIR="$bau/game" KORDAVO_SCRIPT="$aus/$1/skript.txt" \
    KORDAVO_HEADLESS=1 ASAN_OPTIONS=detect_leaks=0 timeout "$2" "$bau/kordavo" > "$aus/$1.log" 2>&1
}
starten server 600 &
server=$!
for _ in $(seq 150); do [[ -f $aus/s2.png ]] && break; sleep 2; done
if [[ ! -f $aus/s2.png ]]; then echo "the server did not reach its main menu" >&2; kill "$server"; exit 1; fi
starten client 300
kill "$server" 2> /dev/null
wait "$server" 2> /dev/null
if [[ -f $aus/c5.png ]] && ! grep -q "^Meldung" "$aus/client.log"; then echo "the client joined: $aus/c5.png"; exit 0; fi
echo "the client did not reach its main menu (see $aus/client.log)" >&2
exit 1
