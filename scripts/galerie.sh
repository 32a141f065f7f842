#!/usr/bin/env bash
# The gallery of every screen (docs/art/galerie/), made anew: the headless
# play-through tests of a test build run with their picture folders set
# (main_galerie: the main menu, each of its screens and the windows over
# them, the hidden keys' screens, a live match with the control bar's
# screens and the pages after it, one, two and four live views;
# main_spielstart: the start screen and the wizard; main_editor_ablauf: the
# data editor), and one picture per screen is copied under its name into
# the gallery folder; the last run of the mouse script in the real window
# (test main_maus of the build) gives the xvfb_ pictures. Look at the
# pictures before committing them.
#
#   scripts/galerie.sh BUILD_FOLDER [GALLERY_FOLDER]
#
# BUILD_FOLDER is a test build (build/asan after `make test`); the gallery
# folder is docs/art/galerie by default. Exit code 0 when every picture was
# made, 1 when a test failed or a picture is missing, 2 on bad arguments.
set -u
if [[ $# -ge 1 && ( $1 == -h || $1 == --help ) ]]; then sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0; fi
if [[ $# -lt 1 || $# -gt 2 || ! -f $1/CTestTestfile.cmake ]]; then
  echo "Aufruf: scripts/galerie.sh BUILD_ORDNER [GALERIE_ORDNER] (BUILD_ORDNER: ein Test-Build, etwa build/asan)" >&2
  exit 2
fi
bau=$(cd "$1" && pwd)
quelle=$(cd "$(dirname "$0")/.." && pwd)
ziel=${2:-$quelle/docs/art/galerie}
mkdir -p "$ziel" || exit 2
ziel=$(cd "$ziel" && pwd)
roh=$(mktemp -d /tmp/kordavo_galerie_XXXXXX)
trap 'rm -rf "$roh"' EXIT

fehler=0
laufen() {  # test name, variable, folder
  mkdir -p "$roh/$3"
  if ! (cd "$bau" && env "$2=$roh/$3" ctest -R "^$1\$" --output-on-failure > "$roh/$3.log" 2>&1); then
    echo "$1 ist fehlgeschlagen (siehe unten)" >&2
    tail -n 40 "$roh/$3.log" >&2
    fehler=1
  fi
}
laufen main_galerie KORDAVO_GALERIE spiel
laufen main_spielstart KORDAVO_SPIELSTART_PNG start
laufen main_editor_ablauf KORDAVO_EDITOR_PNG editor

# name in the gallery <- picture of a test run (a name ending in "?": a
# sight the play does not always meet; an earlier picture then stays)
while read -r name bild; do
  [[ -z $name || $name == \#* ]] && continue
  if [[ -f $roh/$bild ]]; then
    cp "$roh/$bild" "$ziel/${name%\?}.png"
  elif [[ $name == *\? && -f $ziel/${name%\?}.png ]]; then
    # A sight the sixty days do not always meet: the earlier picture stays.
    echo "nicht getroffen: $bild (das Bild ${name%\?}.png bleibt)" >&2
  else
    echo "fehlt: $bild (für $name)" >&2
    fehler=1
  fi
done <<'TABELLE'
# The start screen and the wizard
start                      start/spielstart_0_start.png
start_netzwerk             start/spielstart_netz_adresse.png
start_laden                start/spielstart_11_laden_vom_start.png
wizard_anzahl              start/spielstart_1_anzahl.png
wizard_schwierigkeit       start/spielstart_2_schwierigkeit.png
wizard_name                start/spielstart_3_name.png
wizard_gesicht             start/spielstart_b3_gesicht_vergeben.png
wizard_verein              start/spielstart_b5_verein_vergeben.png
wizard_frage               start/spielstart_7_frage.png
# The data editor
editor                     editor/editor_1_haupt.png
editor_wappen              editor/editor_2_wappen.png
editor_aussehen            editor/editor_3_aussehen.png
editor_attribute           editor/editor_4_attribute.png
# The main menu and its screens
hauptmenue                 spiel/hauptmenue.png
menue_manager_1            spiel/menue_manager_1.png
menue_manager_2            spiel/menue_manager_2.png
menue_team_offen           spiel/menue_team_offen.png
wechsel_hinweis            spiel/wechsel_hinweis.png
frage_zu_wenige_spieler?   spiel/frage_zu_wenige_spieler.png
frage_beenden              spiel/frage_beenden.png
frage_laden                spiel/frage_laden.png
mitteilung_gespeichert     spiel/mitteilung_gespeichert.png
kader                      spiel/kader.png
kaderansicht               spiel/kaderansicht.png
taktik                     spiel/taktik.png
attribut_popup             spiel/attribut_popup.png
spielerkarte               spiel/spielerkarte.png
talente                    spiel/talente.png
trainingsplan              spiel/trainingsplan.png
trainingsfilm              spiel/trainingsfilm.png
trainingsfilm_ende         spiel/trainingsfilm_ende.png
trainingslager             spiel/trainingslager.png
trainingslager_lauf        spiel/trainingslager_lauf.png
trainingslager_ergebnis    spiel/trainingslager_ergebnis.png
transfer                   spiel/transfer.png
verhandlung                spiel/verhandlung.png
scouting                   spiel/scouting.png
scouting_gebiet            spiel/scouting_gebiet.png
scouting_reise             spiel/scouting_reise.png
wettbewerb_tabelle         spiel/wettbewerb_tabelle.png
wettbewerb_ergebnisse      spiel/wettbewerb_ergebnisse.png
wettbewerb_uebersicht      spiel/wettbewerb_uebersicht.png
rangliste                  spiel/rangliste.png
bank                       spiel/bank.png
werbung                    spiel/werbung.png
stadion                    spiel/stadion.png
finanzen                   spiel/finanzen.png
laden                      spiel/laden.png
speichern                  spiel/speichern.png
optionen                   spiel/optionen.png
attribut_wahl              spiel/attribut_wahl.png
diagnose                   spiel/diagnose.png
# A matchday
vor_dem_spiel_bild         spiel/vor_dem_spiel_bild.png
live_1_ansicht             spiel/live_1_ansicht.png
live_2_ansichten           spiel/live_2_ansichten.png
live_4_ansichten           spiel/live_4_ansichten.png
leiste_tabelle             spiel/leiste_tabelle.png
leiste_ergebnisse          spiel/leiste_ergebnisse.png
leiste_aufstellung         spiel/leiste_aufstellung.png
leiste_taktik              spiel/leiste_taktik.png
leiste_laden               spiel/leiste_laden.png
leiste_speichern           spiel/leiste_speichern.png
seite_tore                 spiel/seite_tore.png
seite_statistik            spiel/seite_statistik.png
seite_finanzen             spiel/seite_finanzen.png
screen_ergebnisse          spiel/screen_ergebnisse.png
screen_tabelle             spiel/screen_tabelle.png
TABELLE
# The game in its real window (scripts/xvfb_maus.sh, the test main_maus):
# its last run's screenshots of the build, when it has run.
maus=$bau/tests/main/maus
if [[ -f $maus/spiel.log ]]; then
  while read -r name muster; do
    bild=$(ls "$maus"/$muster 2> /dev/null | head -n 1)
    if [[ -n $bild ]]; then cp "$bild" "$ziel/$name.png"; else echo "fehlt: $muster (für $name)" >&2; fehler=1; fi
  done <<'MAUS'
xvfb_hauptmenue                [0-9]*_hauptmenue_danach.png
xvfb_einigung                  [0-9]*_einigung.png
xvfb_aufstellung_nach_kauf     [0-9]*_aufstellung.png
xvfb_live_geteilt              [0-9]*_live_zwei_spiele.png
xvfb_pokal_elfmeterschiessen   [0-9]*_pokal_elfmeterschiessen.png
xvfb_pokal_tore                [0-9]*_pokal_ende.png
xvfb_pokal_kopf                [0-9]*_pokal_hauptmenue_danach.png
xvfb_pokal_erste_runde         [0-9]*_pokal_ergebnisse_erste_runde.png
MAUS
else
  echo "main_maus lief nicht in $bau: die Bilder xvfb_*.png bleiben" >&2
fi
if [[ $fehler != 0 ]]; then echo "Galerie unvollständig: $ziel" >&2; exit 1; fi
echo "Galerie geschrieben: $ziel"
