#!/usr/bin/env bash
# `make play` in a virtual X display, played with the mouse alone: xdotool
# moves the pointer and clicks in the game's window as a hand would (the
# real SDL window and its event path, no input script): "Neues Spiel", the
# wizard's pages with their defaults, a club, the last question; then the
# turns are ended ("Weiter"), notices and pages clicked away, until the
# first match of the manager's club runs in the live view. A screenshot of
# the display after every step goes into the output folder (NNN_step.png);
# the last one, live.png, shows the live match.
#
#   scripts/xvfb_maus.sh OUTPUT_FOLDER
#
# Needs Xvfb, xdotool and ImageMagick's import and convert. Exit code 0 when
# the live match was reached, 1 when not, 2 on bad arguments.
set -u
if [[ $# -ge 1 && ( $1 == -h || $1 == --help ) ]]; then sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
if [[ $# -ne 1 ]]; then echo "Aufruf: scripts/xvfb_maus.sh AUSGABE_ORDNER" >&2; exit 2; fi
for p in Xvfb xdotool import convert; do
  command -v "$p" > /dev/null || { echo "$p fehlt" >&2; exit 2; }
done
mkdir -p "$1" || exit 2
aus=$(cd "$1" && pwd)
quelle=$(cd "$(dirname "$0")/.." && pwd)
rm -f "$aus"/*.png
anzeige=:$((90 + RANDOM % 9))
Xvfb "$anzeige" -screen 0 800x600x24 -nolisten tcp > "$aus/xvfb.log" 2>&1 &
xvfb=$!
einstellungen=$(mktemp -d /tmp/kordavo_xvfb_XXXXXX)
spiel=
ende() {
  [[ -n $spiel ]] && kill "$spiel" 2> /dev/null
  kill "$xvfb" 2> /dev/null
  rm -rf "$einstellungen"
}
trap ende EXIT
export DISPLAY=$anzeige SDL_AUDIODRIVER=dummy KORDAVO_CONFIG_DIR=$einstellungen
sleep 2
(cd "$quelle" && exec make play JOBS="${JOBS:-3}") > "$aus/spiel.log" 2>&1 &
spiel=$!
fenster=
for _ in $(seq 600); do
  fenster=$(xdotool search --onlyvisible --name '^Kordavo$' 2> /dev/null | head -n 1)
  [[ -n $fenster ]] && break
  sleep 1
done
if [[ -z $fenster ]]; then echo "kein Spielfenster (siehe $aus/spiel.log)" >&2; exit 1; fi
sleep 4

n=0
bild() { n=$((n + 1)); import -window root "$aus/$(printf '%03d' $n)_$1.png"; }
klick() {  # x y [button], in the window's coordinates
  xdotool mousemove --window "$fenster" "$1" "$2"
  sleep 0.3
  xdotool mousedown "${3:-1}"
  sleep 0.15
  xdotool mouseup "${3:-1}"
  sleep 0.8
}
# The live view's control bar: the mean colour of its left end.
live() {
  import -window root "$aus/pruefen.png"
  local m
  m=$(convert "$aus/pruefen.png" -crop 60x30+0+568 -resize '1x1!' -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:)
  read -r r g b <<< "$m"
  # about 17,35,57; the main menu's corner is greener, the pages' darker
  (( r >= 12 && r <= 22 && g >= 30 && g <= 40 && b >= 52 && b <= 62 ))
}

bild start
klick 400 216; bild neues_spiel          # "Neues Spiel": one manager
klick 717 509; bild schwierigkeit        # on with the defaults
klick 603 312; klick 717 509; bild name
klick 472 231; bild gesicht
klick 603 210; bild land
klick 603 210; bild verein
klick 603 210; bild frage
klick 116 424; sleep 8; bild hauptmenue  # "Ja": the game starts
for tag in $(seq 200); do
  if live; then break; fi
  # An empty spot of the main menu (below its buttons) takes the clicks
  # that answer a notice (right button) and turn a page (left button).
  klick 100 540 3
  klick 100 540
  klick 570 562                          # a screen after a match: its close button
  if live; then break; fi
  klick 750 583                          # "Weiter": the turn ends
  sleep 1
  [[ $((tag % 5)) == 0 ]] && bild "zug_$tag"
done
if live; then sleep 3; import -window root "$aus/live.png"; rm -f "$aus/pruefen.png"; echo "live: $aus/live.png"; exit 0; fi
echo "die Live-Ansicht kam nicht (Bilder in $aus)" >&2
exit 1
