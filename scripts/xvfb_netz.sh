#!/usr/bin/env bash
# A network game of three players on one machine, played with the mouse
# alone: three copies of the game, each in its own folder and its own window
# side by side on a virtual X display (server left, the two clients beside
# it). xdotool moves the pointer and clicks as a hand would (the real SDL
# windows and their event path). The server switches the network on, takes
# the server role and sets up its manager through the wizard; each client
# switches the network on, types the server's address, tests it
# ("Verbindung prüfen"), joins and takes a club. All then end their turns
# ("Weiter"), click notices and pages away, answer questions with "Nein" and
# watch their managers' matches in the live view (the control bar's fast
# play clicked). Whenever the server's own match is over it lingers 30 s in
# its pages (nothing clicked there) while the clients' matches run on; the
# run goes on until each has seen its manager's matches live on four days.
# What the windows show is read from the games' own trace (KORDAVO_DEBUG:
# "Live-Ansicht: Tag ...") and from pixels (the pitch's green, a question's
# buttons, the fast play arrows). Screenshots of the display at the key
# steps go into the output folder (NN_step.png), among them each client
# while the server lingers.
#
#   scripts/xvfb_netz.sh BUILD_FOLDER OUTPUT_FOLDER
#
# BUILD_FOLDER holds kordavo and game/. Needs Xvfb, xdotool and
# ImageMagick's import and convert. Exit code 0 when all three watched a
# fourth matchday live, 1 when not (or when a game ended), 2 on bad
# arguments, 77 when a tool is missing. ZIEL_TAGE and WARTEN_S change the
# days and the lingering; the closing line counts the clients whose match
# was over by the end of a lingering, judged from their traces as they stood
# then (see the waehrend_warten_* pictures, taken as each lingering ends).
set -u
if [[ $# -ge 1 && ( $1 == -h || $1 == --help ) ]]; then sed -n '2,29p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
if [[ $# -ne 2 || ! -x $1/kordavo || ! -d $1/game ]]; then
  echo "Aufruf: scripts/xvfb_netz.sh BAU_ORDNER AUSGABE_ORDNER (BAU_ORDNER mit kordavo und game/)" >&2
  exit 2
fi
. "$(dirname "$0")/xvfb_gemeinsam.sh"
xvfb_werkzeuge || exit $?
bau=$(cd "$1" && pwd)
mkdir -p "$2" || exit 2
aus=$(cd "$2" && pwd)
rm -f "$aus"/*.png "$aus"/*.log
ZIEL=${ZIEL_TAGE:-4}
WARTEN=${WARTEN_S:-30}
# A loopback address of this run's own: tests running beside it listen on
# theirs (the game's port is fixed).
adresse="127.251.$(( $$ % 250 + 1 )).7"
arbeit=$(mktemp -d /tmp/kordavo_xvfb_netz_XXXXXX)
xvfb_starten 2400x600 "$aus/xvfb.log" || exit 1

declare -A fenster links
starten() {  # role, x of its window
  local rolle=$1 ordner=$arbeit/$1
  mkdir -p "$ordner/einstellungen"
  cp -r "$bau/game" "$ordner/game"
  [[ $rolle == server ]] && printf 'Netz_Adresse=%s\n' "$adresse" > "$ordner/einstellungen/settings.ini"
  (cd "$ordner" && SDL_AUDIODRIVER=dummy KORDAVO_CONFIG_DIR="$ordner/einstellungen" KORDAVO_GAME_DIR="$ordner/game" \
     KORDAVO_DEBUG=1 ASAN_OPTIONS=detect_leaks=0 exec "$bau/kordavo") > "$aus/$rolle.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  local w
  w=$(xvfb_fenster "$pid" 120) || { echo "kein Fenster für $rolle (siehe $aus/$rolle.log)" >&2; exit 1; }
  xdotool windowmove "$w" "$2" 0
  fenster[$rolle]=$w
  links[$rolle]=$2
}

KLICK_PAUSE=0.8
n=0
bild() { n=$((n + 1)); import -window root "$aus/$(printf '%02d' $n)_$1.png"; }
klick() {  # role x y [button], in the window's coordinates
  xdotool mousemove $(( ${links[$1]} + $2 )) "$3"
  sleep 0.15
  xdotool mousedown "${4:-1}"
  sleep 0.1
  xdotool mouseup "${4:-1}"
  sleep "$KLICK_PAUSE"
}
tippen() {  # role text
  xdotool windowfocus --sync "${fenster[$1]}" 2> /dev/null
  xdotool type --delay 120 "$2"
  sleep 0.5
}
taste() {  # role key [count]
  xdotool windowfocus --sync "${fenster[$1]}" 2> /dev/null
  for _ in $(seq "${3:-1}"); do xdotool key "$2"; sleep 0.1; done
  sleep 0.5
}
# The mean colour of a window's strip (x y w h) as "r g b", 0..255.
farbe() {
  import -window root "$arbeit/pruefen.png"
  convert "$arbeit/pruefen.png" -crop "$4x$5+$(( ${links[$1]} + $2 ))+$3" -resize '1x1!' \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}
# The live view: the pitch's green across the window's middle (the main
# menu shows its squad table there, the pages their own pictures).
live() {
  local r g b
  read -r r g b <<< "$(farbe "$1" 300 250 200 100)"
  (( g > r + 30 && g > b + 20 ))
}
# The control bar's fast play is on: its arrows orange, not white.
schnell_an() {
  local r g b
  read -r r g b <<< "$(farbe "$1" 244 574 18 14)"
  (( r > b ))
}
# A question box (two buttons, "Ja" left): its "Ja" button's gold on blue.
frage() {
  local r g b
  read -r r g b <<< "$(farbe "$1" 101 414 30 14)"
  (( r > 45 && r > b - 25 ))
}
# The days on which a side's live view showed a match (its trace).
live_tage() { grep -a -o 'Live-Ansicht: Tag [0-9]*' "$aus/$1.log" 2> /dev/null | sort -u | wc -l; }
lebt() { kill -0 "$1" 2> /dev/null; }

# --- The server: network on, server role, a new game through the wizard.
starten server 0
server_pid=${pids[-1]}
sleep 6
bild server_start
klick server 400 540                      # "Netzwerk aus": on
klick server 400 504                      # the role: server
bild server_netz
klick server 400 216; sleep 3             # "Neues Spiel"
klick server 717 509                      # the wizard, with its defaults
klick server 603 312; klick server 717 509
klick server 472 231
klick server 603 210; klick server 603 210; klick server 603 210
bild server_frage
klick server 116 424                      # "Ja": the game starts
for _ in $(seq 90); do
  grep -a -q "Live-Ansicht\|Kalender" "$aus/server.log" 2> /dev/null && break
  sleep 2
  read -r r g b <<< "$(farbe server 740 570 120 25)"
  # the main menu's bottom bar with its "Weiter"
  (( g > r )) && break
done
sleep 20
bild server_hauptmenue

# --- The clients: network on (a client), the address typed and tested, join.
beitreten() {  # role, x of its window, name, list row of face and club
  starten "$1" "$2"
  sleep 6
  klick "$1" 400 540                        # "Netzwerk aus": on, as a client
  klick "$1" 324 458                        # "Adresse ändern"
  taste "$1" BackSpace 16
  tippen "$1" "$adresse"
  taste "$1" Return
  klick "$1" 400 302; sleep 4               # "Verbindung prüfen"
  bild "$1_verbindung"
  klick "$1" 400 216; sleep 6               # "Neues Spiel": join
  tippen "$1" "$3"
  taste "$1" Return
  klick "$1" 603 $(( 244 + 34 * $4 ))       # a face
  klick "$1" 603 210                        # the first country
  klick "$1" 603 $(( 210 + 34 * $4 )); sleep 4  # a free club
  bild "$1_verein"
  klick "$1" 116 424                        # "Ja"
  sleep 40
  bild "$1_hauptmenue"
}
beitreten client 800 Gast 0
client_pid=${pids[-1]}
beitreten client2 1600 Zweiter 1
client2_pid=${pids[-1]}
alle_leben() { lebt "$client_pid" && lebt "$client2_pid" && lebt "$server_pid"; }
if ! alle_leben; then echo "ein Spiel endete beim Beitritt (siehe $aus/*.log)" >&2; exit 1; fi
if grep -a -q "nicht erreichbar\|abgebrochen" "$aus/client.log" "$aus/client2.log"; then
  echo "ein Client kam nicht zum Server (siehe $aus/client*.log)" >&2; exit 1
fi

# --- The season: turns ended, pages clicked away, matches watched; the
# server lingers in its pages after each of its matches.
KLICK_PAUSE=0.4
rollen=(server client client2)
declare -A schnell gesehen war_live
for r in "${rollen[@]}"; do schnell[$r]=0 gesehen[$r]=0 war_live[$r]=0; done
ziel=0 gewartet=0 waehrend=0
warten_bis=0
# The end of a lingering, whatever the loop's pace (a turn over three windows
# takes longer than a few seconds): a job started with the lingering takes
# the display's picture when it ends and notes how far each client's trace
# had come by then.
warten_ende() {  # lingering, picture file
  sleep "$WARTEN"
  import -window root "$2"
  for c in client client2; do wc -l < "$aus/$c.log" > "$arbeit/ende_${1}_$c"; done
}
# The day of the server's match before lingering $1 and a client's trace up
# to that lingering's end: the client's match of that day was over by then
# when its pages after the match (which the server sends once the match has
# ended there) had come after it.
zu_ende() {  # lingering, client
  local tag zeilen
  tag=$(cat "$arbeit/tag_$1" 2> /dev/null) && zeilen=$(cat "$arbeit/ende_${1}_$2" 2> /dev/null) || return 1
  [[ -n $tag && -n $zeilen ]] || return 1
  head -n "$zeilen" "$aus/$2.log" | tr -d '\000' | awk -v tag="$tag" '
    match($0, /Live-Ansicht: Tag [0-9]+/) { live = substr($0, RSTART + 18, RLENGTH - 18) == tag; seite = 0 }
    /^--> IN BUFFER/ { if (live) seite = 1 }
    END { exit !(live && seite) }'
}
warten_jobs=()
for schritt in $(seq 3000); do
  for rolle in "${rollen[@]}"; do
    if [[ $rolle == server ]] && (( SECONDS < warten_bis )); then
      continue                              # the server's manager reads his page
    fi
    if live "$rolle"; then
      war_live[$rolle]=1
      tage=$(live_tage "$rolle")
      if (( tage > ${gesehen[$rolle]} )); then
        gesehen[$rolle]=$tage
        sleep 2
        bild "${rolle}_live_$tage"
      fi
      # The control bar's fast play, until it shows on (a click while the
      # view is still coming up is not taken; a second one in a row would
      # take it off again).
      if (( SECONDS - ${schnell[$rolle]} >= 4 )) && ! schnell_an "$rolle"; then
        klick "$rolle" 250 583
        schnell[$rolle]=$SECONDS
      fi
      continue
    fi
    if [[ $rolle == server ]] && (( war_live[server] )); then
      # The server's match is over: its manager stays in his page.
      war_live[server]=0
      gewartet=$((gewartet + 1))
      warten_bis=$((SECONDS + WARTEN))
      bild "server_wartet_$gewartet"
      grep -a -o 'Live-Ansicht: Tag [0-9]*' "$aus/server.log" | tail -n 1 | grep -o '[0-9]*$' > "$arbeit/tag_$gewartet"
      n=$((n + 1))
      warten_ende "$gewartet" "$aus/$(printf '%02d' $n)_waehrend_warten_$gewartet.png" &
      pids+=($!)
      warten_jobs+=($!)
      continue
    fi
    war_live[$rolle]=0
    frage "$rolle" && klick "$rolle" 680 424  # a question: "Nein"
    klick "$rolle" 100 540 3              # a notice answered (right button)
    klick "$rolle" 100 540                # a page turned
    klick "$rolle" 570 562                # a screen after a match: its close button
    live "$rolle" && continue
    klick "$rolle" 750 583                # "Weiter": the turn ends
  done
  if ! alle_leben; then echo "ein Spiel endete (siehe $aus/*.log)" >&2; exit 1; fi
  if (( $(live_tage server) >= ZIEL && $(live_tage client) >= ZIEL && $(live_tage client2) >= ZIEL )); then
    ziel=$((ziel + 1))
  fi
  # Once all have seen the fourth day: a few more rounds back to the menus.
  if (( ziel >= 4 )) && ! live server && ! live client && ! live client2 && (( SECONDS >= warten_bis )); then break; fi
done
bild alle_danach
# Each lingering judged from the clients' traces up to its end.
(( ${#warten_jobs[@]} )) && wait "${warten_jobs[@]}" 2> /dev/null
for k in $(seq "$gewartet"); do
  for c in client client2; do zu_ende "$k" "$c" && waehrend=$((waehrend + 1)); done
done
s=$(live_tage server) c=$(live_tage client) c2=$(live_tage client2)
echo "Live-Tage: Server $s, Client $c, Client 2 $c2; der Server wartete $gewartet-mal, Client-Spiele zu Ende dabei: $waehrend (Bilder in $aus)"
if (( s >= ZIEL && c >= ZIEL && c2 >= ZIEL )); then exit 0; fi
echo "nicht alle sahen $ZIEL Spieltage live" >&2
exit 1
