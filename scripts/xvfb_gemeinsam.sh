# What the runs of the game in its real window on a virtual X display
# share (scripts/xvfb_maus.sh, scripts/xvfb_netz.sh source this file): the
# tools checked, a display of the run's own started, the game's window found,
# and everything the run started ended again when it ends.
#
#   . scripts/xvfb_gemeinsam.sh
#   xvfb_werkzeuge || exit $?     # 77 when a tool is missing
#   arbeit=$(mktemp -d ...)       # removed at the end
#   xvfb_starten 800x600 "$aus/xvfb.log" || exit 1
#   ... & pids+=($!)              # every process of the run
#   fenster=$(xvfb_fenster "$pid" 120) || exit 1

# The processes the run started (the display first); ended at the end.
pids=()
arbeit=

# Xvfb, xdotool and ImageMagick's import and convert. Returns 77 (with the
# reason on stderr) when one is missing.
xvfb_werkzeuge() {
  local p
  for p in Xvfb xdotool import convert; do
    if ! command -v "$p" > /dev/null; then
      echo "übersprungen: $p fehlt (scripts/install-deps.sh installiert Xvfb, xdotool und ImageMagick)" >&2
      return 77
    fi
  done
  # ImageMagick's convert, not a stand-in of another name.
  if ! convert -version 2> /dev/null | grep -q ImageMagick; then
    echo "übersprungen: convert ist nicht das von ImageMagick" >&2
    return 77
  fi
  return 0
}

# Ends every process of the run (politely, then for good) and removes the
# work folder.
xvfb_ende() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null; done
  sleep 1
  for p in "${pids[@]}"; do kill -9 "$p" 2> /dev/null; done
  [[ -n $arbeit ]] && rm -rf "$arbeit"
  return 0
}
trap xvfb_ende EXIT

# A virtual display of this run's own (tests beside it take theirs) of the
# size WxH, its log into the file; DISPLAY set to it once it answers.
xvfb_starten() {  # WxH log
  local d anzeige=
  for _ in $(seq 20); do
    d=$(( 100 + ($$ + RANDOM) % 400 ))
    [[ -e /tmp/.X$d-lock ]] && continue
    anzeige=:$d
    break
  done
  [[ -z $anzeige ]] && { echo "keine freie Anzeige" >&2; return 1; }
  Xvfb "$anzeige" -screen 0 "$1x24" -nolisten tcp > "$2" 2>&1 &
  pids+=($!)
  export DISPLAY=$anzeige
  for _ in $(seq 50); do
    xdotool getmouselocation > /dev/null 2>&1 && return 0
    sleep 0.2
  done
  echo "die Anzeige $anzeige kam nicht (siehe $2)" >&2
  return 1
}

# The visible window of the process, waited for up to the given seconds;
# its id on stdout, status 1 when none came.
xvfb_fenster() {  # pid seconds
  local w=
  for _ in $(seq $(( ${2:-120} * 2 ))); do
    w=$(xdotool search --onlyvisible --pid "$1" 2> /dev/null | head -n 1)
    [[ -n $w ]] && { echo "$w"; return 0; }
    kill -0 "$1" 2> /dev/null || return 1
    sleep 0.5
  done
  return 1
}
