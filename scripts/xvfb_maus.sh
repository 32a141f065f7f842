#!/usr/bin/env bash
# The game played with the mouse alone in its real window on a virtual X
# display: xdotool moves the pointer and clicks as a hand would (the real
# SDL window and its event path, no input script). A hot-seat game of two
# managers is set up through the wizard; the first manager at his turn buys
# a player on the transfer market (a player of his own in exchange, the
# offer raised until the seller agrees) and the squad screen shows the new
# man among the eleven; both then end their turns, notices and pages
# clicked away, until matchday 1 runs with both managers' matches in the
# split live view; fast play (">>") is clicked and the matches are watched
# to their end, the pages after them following (each live view is first
# watched a few seconds with the mouse at rest: its matches go on at their
# own pace). Then a one-manager game
# saved on the morning of its club's first cup tie (tests/data/
# pokal_elfmeter.kdv) is loaded through "Spiel > Laden": the tie is watched
# live to its penalty shoot-out (its kicks at their own pace with the mouse
# at rest), the result checked with its mark in the
# main menu's header and on the cup's results page.
#
# What is on the screen is checked at each step from pixels of screenshots
# (ImageMagick) and from the game's own trace (KORDAVO_DEBUG: the live view
# writes "Live-Ansicht: Tag d, Team a - Team b" for each match it shows).
# Screenshots of the steps go into the output folder (NN_step.png).
#
#   scripts/xvfb_maus.sh BUILD_FOLDER OUTPUT_FOLDER
#
# SPIELTAGE=N in the environment plays N matchdays live before the cup
# tie (1 when unset), the first pages after each looked at.
#
# BUILD_FOLDER holds kordavo and game/. Exit code 0 when every step showed
# what it should, 1 when not, 2 on bad arguments, 77 when Xvfb, xdotool or
# ImageMagick is missing (scripts/install-deps.sh installs them).
set -u
if [[ $# -ge 1 && ( $1 == -h || $1 == --help ) ]]; then sed -n '2,32p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
if [[ $# -ne 2 || ! -x $1/kordavo || ! -d $1/game ]]; then
  echo "Aufruf: scripts/xvfb_maus.sh BAU_ORDNER AUSGABE_ORDNER (BAU_ORDNER mit kordavo und game/)" >&2
  exit 2
fi
. "$(dirname "$0")/xvfb_gemeinsam.sh"
xvfb_werkzeuge || exit $?
bau=$(cd "$1" && pwd)
mkdir -p "$2" || exit 2
aus=$(cd "$2" && pwd)
rm -f "$aus"/*.png "$aus"/*.log
arbeit=$(mktemp -d /tmp/kordavo_xvfb_maus_XXXXXX)
xvfb_starten 800x600 "$aus/xvfb.log" || exit 1

mkdir -p "$arbeit/einstellungen"
cp -r "$bau/game" "$arbeit/game"
# The cup game's save in slot 1 (loaded after the hot-seat matchday).
mkdir -p "$arbeit/game/spielstand"
cp "$(dirname "$0")/../tests/data/pokal_elfmeter.kdv" "$arbeit/game/spielstand/game_0.kdv" || exit 2
(cd "$arbeit" && SDL_AUDIODRIVER=dummy KORDAVO_CONFIG_DIR="$arbeit/einstellungen" KORDAVO_GAME_DIR="$arbeit/game" \
   KORDAVO_DEBUG=1 ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 exec "$bau/kordavo") > "$aus/spiel.log" 2>&1 &
spiel=$!
pids+=("$spiel")
fenster=$(xvfb_fenster "$spiel" 120) || { echo "kein Spielfenster (siehe $aus/spiel.log)" >&2; exit 1; }

PAUSE=0.6
n=0
bild() { n=$((n + 1)); import -window root "$aus/$(printf '%02d' $n)_$1.png"; }
klick() {  # x y [button], in the window's coordinates
  xdotool mousemove --window "$fenster" "$1" "$2"
  sleep 0.1
  xdotool mousedown "${3:-1}"
  sleep 0.08
  xdotool mouseup "${3:-1}"
  sleep "$PAUSE"
}
fehler() {
  bild fehler
  echo "FEHLER: $* (Bilder und spiel.log in $aus)" >&2
  exit 1
}
lebt() { kill -0 "$spiel" 2> /dev/null; }
# The screen as it is now, for the checks below (each reads the last one).
schuss() { import -window root "$arbeit/pruefen.png"; }
# The mean colour of a strip (x y w h) of the last screenshot as "r g b", 0..255.
farbe() {
  convert "$arbeit/pruefen.png" -crop "$3x$4+$1+$2" -resize '1x1!' \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}
# Waits up to $2 seconds for the check $1 (a function name) to hold.
warten() {
  local bis=$(( SECONDS + $2 ))
  while (( SECONDS < bis )); do
    schuss
    "$1" && return 0
    lebt || return 1
    sleep 0.3
  done
  return 1
}
# The live view's control bar: the dark blue of its left end.
leiste() {
  local r g b
  read -r r g b <<< "$(farbe 0 568 60 30)"
  (( r >= 12 && r <= 22 && g >= 30 && g <= 40 && b >= 52 && b <= 62 ))
}
# The pitch's green across the screen's middle.
rasen() {
  local r g b
  read -r r g b <<< "$(farbe 300 250 200 100)"
  (( g > r + 30 && g > b + 20 ))
}
# The start screen: the big "Neues Spiel" button's blue under the title.
startbild() {
  local r g b
  read -r r g b <<< "$(farbe 300 190 200 50)"
  (( b > r + 20 && b > 60 ))
}
# A notice or question box: its gold title rule across the middle.
box_regel() {
  local r g b
  read -r r g b <<< "$(farbe 100 193 600 1)"
  (( r > 150 && g > 110 && b < 90 ))
}
# The seller agrees: the white line under the bar ("Einigung erzielt!") on
# the window's dark blue. Not the bar's colour: where the bid and the falling
# price meet on it depends on the player, and the bid's green passes any
# fixed place before they meet.
einigung() {
  local r g b
  read -r r g b <<< "$(farbe 504 306 80 12)"
  (( r > 45 && g > 60 ))
}
# The main menu: "Weiter" in the bottom right corner, its light grey
# letters on blue, and no control bar of a match.
hauptmenue() {
  local r g b
  read -r r g b <<< "$(farbe 730 578 44 10)"
  (( r > 70 && b >= r && b - r < 40 )) && ! leiste
}
# The control bar's fast play is on: its arrows orange, not white.
schnell_an() {
  local r g b
  read -r r g b <<< "$(farbe 244 574 18 14)"
  (( r > b ))
}

schnell_bis_ende() {  # name of the pictures
  # ">>" clicked (again only when a click was not taken while the view came
  # up): at the fastest speed the match is over in seconds, at its own pace
  # it would take minutes.
  local anfang=$SECONDS geklickt=-10
  while :; do
    schuss
    leiste || break
    lebt || fehler "das Spiel endete ($1)"
    (( SECONDS - anfang > 330 )) && fehler "das Spiel endete nicht ($1)"
    if ! schnell_an && (( SECONDS - geklickt >= 5 )); then
      klick 251 582
      geklickt=$SECONDS
    fi
    sleep 0.2
  done
  (( geklickt >= 0 )) || fehler "schnelles Spiel nie geklickt ($1)"
  (( SECONDS - anfang < 240 )) || fehler "schnelles Spiel wirkte nicht ($1: $(( SECONDS - anfang )) s)"
  bild "$1_ende"
}
# Gold text (the chosen colour of scores and marks) in a strip: how many
# of its pixels are gold.
gold_pixel() {  # x y w h
  convert "$arbeit/pruefen.png" -crop "$3x$4+$1+$2" +repage -fx '(r>0.6 && g>0.45 && b<0.4) ? 1 : 0' \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# --- A cup tie to penalties. A one-manager game saved by the game itself on
# the morning of its club's first cup tie (tests/data/pokal_elfmeter.kdv,
# written by the test main_pokal_live: TuS Wendelfeld's tie at Fortuna Kroningen
# in the first round, level after extra time, decided on penalties) lies in
# slot 1; "Spiel > Laden" loads it over the running game. The turn is ended,
# the match watched live at fast speed; the live view's trace reports the
# shoot-out ("Live-Ansicht: Elfmeterschießen"), whose kicks are watched at
# the normal speed for a moment. Then the pages after the match, the main
# menu's header with the result and its mark, and "Liga > Ergebnisse" with
# the cup chosen: it opens at the next round; one matchday back the first
# round, the club's games ("Spiele von") show the tie with its score and
# "i.E." in gold.
pokal_runde() {
  PAUSE=0.5
  klick 624 582                           # "Spiel"
  klick 624 514; sleep 1                  # "Laden"
  bild pokal_laden
  klick 300 197                           # slot 1
  klick 712 383                           # "Laden"
  warten box_regel 20 || fehler "die Frage vor dem Laden kam nicht"
  bild pokal_frage_laden
  klick 116 424                           # "Ja"
  local bis=$(( SECONDS + 120 ))
  while ! grep -a -q 'Spielstand geladen' "$aus/spiel.log"; do
    (( SECONDS < bis )) || fehler "der Spielstand wurde nicht geladen"
    sleep 0.5
  done
  warten hauptmenue 120 || fehler "nach dem Laden kam das Hauptmenü nicht"
  sleep 1
  bild pokal_hauptmenue
  # The turn ended, pages and notices clicked away, until the tie runs live.
  PAUSE=0.25
  local live=0
  for _ in $(seq 200); do
    lebt || fehler "das Spiel endete"
    schuss
    if leiste && rasen; then live=1; break; fi
    if box_regel; then
      klick 680 421; klick 100 540 3
    elif hauptmenue; then
      klick 750 583
    else
      klick 100 540
    fi
  done
  (( live )) || fehler "das Pokalspiel kam nicht live"
  sleep 1
  bild pokal_live
  # The manager of the saved game has asked the match to stop at its
  # breaks (the matchday's trace: "Pause im gezeigten Spiel nach Halbzeit
  # n"; the in-match line-up window opens). Fast play on; at each break the
  # line-up window is closed and the match taken on again; at the fourth,
  # after extra time, fast play goes off, and the shoot-out is watched at
  # its own pace with the mouse at rest: its kicks take seconds each, so
  # after the live view reports it shown it is still on the pitch.
  local anfang=$SECONDS geklickt=-10 pause=0
  while (( pause < 4 )); do
    lebt || fehler "das Spiel endete"
    (( SECONDS - anfang > 400 )) && fehler "das Pokalspiel kam nicht bis zum Elfmeterschießen (Pause $pause)"
    local neu
    neu=$(grep -a -c 'Pause im gezeigten Spiel' "$aus/spiel.log")
    if (( neu > pause )); then
      pause=$neu
      sleep 0.5
      (( pause == 4 )) && break
      klick 463 582                       # the line-up window closed
      klick 194 582                       # the match on again
      continue
    fi
    if (( SECONDS - geklickt >= 5 )); then
      schuss
      leiste || fehler "das Pokalspiel endete vor dem Elfmeterschießen"
      if ! schnell_an; then klick 251 582; geklickt=$SECONDS; fi
    fi
    sleep 0.1
  done
  grep -a -q 'Pause im gezeigten Spiel nach Halbzeit 4' "$aus/spiel.log" || fehler "die vierte Pause war nicht die nach der Verlängerung"
  bild pokal_pause_nach_verlaengerung
  schuss
  schnell_an && klick 251 582             # ">>" off
  klick 463 582                           # the line-up window closed
  klick 194 582                           # the match on: the shoot-out
  xdotool mousemove --window "$fenster" 400 300
  for _ in $(seq 300); do
    grep -a -q 'Live-Ansicht: Elfmeterschie' "$aus/spiel.log" && break
    sleep 0.1
  done
  grep -a -q 'Live-Ansicht: Elfmeterschie' "$aus/spiel.log" || fehler "das Elfmeterschießen wurde nicht gezeigt"
  grep -a -q 'Elfmeterschie.* im gezeigten Spiel' "$aus/spiel.log" || fehler "der Spieltag meldete kein Elfmeterschießen"
  sleep 3
  schuss
  rasen || fehler "kein Spielfeld im Elfmeterschießen"
  leiste || fehler "das Elfmeterschießen lief bei ruhender Maus von selbst zu Ende"
  bild pokal_elfmeterschiessen
  schnell_bis_ende pokal
  # The pages after the match, each once on the screen, to the main menu;
  # the goals, statistics and money pages carry the result's mark under
  # the score (gold, under the digits).
  PAUSE=0.4
  local marke=0
  for k in $(seq 60); do
    schuss
    hauptmenue && ! box_regel && break
    (( $(gold_pixel 384 176 32 20) > 5 )) && marke=1
    bild "pokal_seite_$k"
    if box_regel; then klick 680 421; else klick 100 540; klick 570 562; fi
  done
  (( marke )) || fehler "keine Elfmeter-Marke auf den Seiten nach dem Spiel"
  schuss
  hauptmenue || fehler "nach dem Pokalspiel kam das Hauptmenü nicht"
  bild pokal_hauptmenue_danach
  # The header: the result between the names, its mark under it in gold.
  (( $(gold_pixel 296 18 48 16) > 10 )) || fehler "kein Ergebnis im Kopf des Hauptmenüs"
  (( $(gold_pixel 300 38 40 12) > 5 )) || fehler "keine Elfmeter-Marke im Kopf des Hauptmenüs"
  # "Liga > Ergebnisse", the competition arrow until the cup shows (its
  # name under the big cup is longer than the league's), a matchday back.
  klick 424 582                           # "Liga"
  klick 424 536; sleep 1                  # "Ergebnisse"
  bild pokal_liga_ergebnisse
  for _ in 1 2 3 4; do                    # the competitions of the club's list:
    klick 313 500                         # 1. and 2. Liga, two others, the cup
  done
  sleep 1
  bild pokal_ergebnisse_naechste_runde
  klick 30 470; sleep 1                   # a matchday back: the first round
  bild pokal_ergebnisse_erste_runde
  klick 136 537; sleep 1                  # "Spiele von ...": the club's games
  bild pokal_eigene_spiele
  schuss
  # The tie in the first row: its score, and right of it its mark, in gold.
  (( $(gold_pixel 626 146 34 16) > 10 )) || fehler "kein Ergebnis des Pokalspiels auf der Ergebnisseite"
  (( $(gold_pixel 660 146 40 16) > 5 )) || fehler "keine Elfmeter-Marke auf der Ergebnisseite des Pokals"
  klick 136 537                           # "Spiele von" off again
  klick 100 540 3                         # the screen closed (right button)
}

# --- The start screen and the wizard: two managers at this machine.
warten startbild 120 || fehler "der Startbildschirm kam nicht"
sleep 1
bild start
klick 400 216; sleep 1                  # "Neues Spiel"
klick 595 236                           # "+": two managers
bild zwei_manager
klick 717 509                           # "Weiter"
klick 490 312; klick 717 509            # "Normal"; "Weiter"
klick 472 231                           # the name kept: on to the face
klick 603 210; klick 603 210            # a face; Germany
klick 603 210; klick 603 210            # the first club; the first league
bild manager_2
klick 717 509                           # the second manager's name kept
klick 603 210; klick 603 210            # a face; Germany
klick 603 278                           # the third club of the list
klick 603 210                           # the first league
warten box_regel 20 || fehler "die Frage vor dem Spielbeginn kam nicht"
bild frage
klick 116 424                           # "Ja": the game starts
warten hauptmenue 180 || fehler "das Hauptmenü kam nicht"
sleep 2
bild hauptmenue
schuss; box_regel && klick 680 421      # "... ist am Zug": OK

# --- The transfer market: a market player bought, one of the eleven for him.
klick 323 582                           # the dialog bar's "Team"
klick 323 537; sleep 1                  # "Transfers"
bild transfermarkt
klick 460 159                           # the market's second proposal marked
klick 100 296; sleep 1                  # the tenth starter offered for him
bild verhandlung
klick 697 225; sleep 1                  # "Verhandlung beginnen"
for _ in $(seq 12); do
  schuss; einigung && break
  klick 590 223                         # the offer raised by 100.000
  sleep 0.6
done
warten einigung 40 || fehler "der Verkäufer wurde nicht einig"
bild einigung
klick 721 476; sleep 1                  # "Weiter": the deal is made
klick 323 582                           # "Team"
klick 323 471; sleep 1                  # "Aufstellung"
bild aufstellung
schuss
# Eleven starters: a number badge on each of the first eleven rows, the
# substitutes' heading (no badge) in the twelfth.
for i in $(seq 0 10); do
  read -r r g b <<< "$(farbe 206 $(( 139 + 17 * i )) 18 8)"
  (( r + g + b > 200 )) || fehler "Startelf-Zeile $((i + 1)) ohne Spieler"
done
read -r r g b <<< "$(farbe 206 326 18 8)"
(( r + g + b < 200 )) || fehler "mehr als elf Spieler in der Startelf"

# --- The turns, ended until a matchday shows both managers' matches live.
# The first match seen live alone (a friendly) is played at fast speed
# and watched to its end; so is each matchday, in the split view. A
# matchday counts once (its day in the live view's trace).
letzter_tag=""
allein=0
spieltag_live() {  # number of the matchday, for the pictures
  PAUSE=0.25
  local geteilt=0 zug tag paare
  for zug in $(seq 600); do
    lebt || fehler "das Spiel endete"
    schuss
    if leiste && rasen; then
      sleep 2
      tag=$(grep -a -o 'Live-Ansicht: Tag [0-9]*' "$aus/spiel.log" | tail -n 1)
      paare=$(grep -a "$tag," "$aus/spiel.log" | sort -u | wc -l)
      if (( paare >= 2 )) && [[ $tag != "$letzter_tag" ]]; then
        bild "live_zwei_spiele_$1"
        schuss
        # The split view: two pitches, a header bar across the middle.
        read -r r g b <<< "$(farbe 300 282 200 8)"
        read -r r2 g2 b2 <<< "$(farbe 300 150 200 8)"
        (( g2 > r2 + 30 && !(g > r + 30 && g > b + 20) )) || fehler "kein geteilter Bildschirm ($tag)"
        # At their own pace, the mouse at rest, the matches go on for minutes.
        xdotool mousemove --window "$fenster" 400 300
        sleep 4
        schuss
        leiste || fehler "die Spiele liefen bei ruhender Maus von selbst zu Ende"
        schnell_bis_ende "spieltag_$1"
        letzter_tag=$tag
        geteilt=1
        break
      fi
      if (( !allein )); then
        bild live_ein_spiel
        xdotool mousemove --window "$fenster" 400 300
        sleep 4
        schuss
        leiste && rasen || fehler "das Spiel lief bei ruhender Maus von selbst zu Ende"
        schnell_bis_ende allein
        allein=1
        continue
      fi
      schnell_bis_ende "allein_$1"
      continue
    fi
    if box_regel; then
      klick 680 421                     # a notice's OK
      klick 100 540 3                   # a question: answered by the right button
      continue
    fi
    if hauptmenue; then
      klick 750 583                     # "Weiter": the turn ends
    else
      klick 100 540                     # a page: turned
      klick 570 562                     # a screen after a match: closed
    fi
    (( zug % 40 == 0 )) && bild "zug_$1_$zug"
  done
  (( geteilt )) || fehler "die beiden Spiele des $1. Spieltags kamen nicht zusammen live"

  # The pages after the matches, then the main menu again.
  PAUSE=0.4
  local k
  for k in $(seq 60); do
    schuss
    hauptmenue && ! box_regel && break
    (( $1 > 1 && k <= 12 )) && bild "seite_$1_$k"
    if box_regel; then klick 680 421; else klick 100 540; klick 570 562; fi
  done
  schuss
  hauptmenue || fehler "nach dem $1. Spieltag kam das Hauptmenü nicht"
  bild "hauptmenue_nach_$1"
}
# SPIELTAGE (default 1): how many matchdays are played live before the cup tie.
spieltage=${SPIELTAGE:-1}
[[ $spieltage =~ ^[1-9][0-9]?$ ]] || { echo "SPIELTAGE muss eine Zahl von 1 bis 99 sein" >&2; exit 2; }
for nr in $(seq "$spieltage"); do spieltag_live "$nr"; done
lebt || fehler "das Spiel endete"
pokal_runde
lebt || fehler "das Spiel endete"
grep -a -q 'ERROR: AddressSanitizer\|runtime error' "$aus/spiel.log" && fehler "Sanitizer-Meldung im spiel.log"
echo "gespielt: Kauf, Startelf, ein Spiel schnell bis zum Ende, $spieltage Spieltag(e) geteilt live, ein Pokalspiel bis ins Elfmeterschießen (Bilder in $aus)"
exit 0
