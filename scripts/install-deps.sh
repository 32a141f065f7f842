#!/usr/bin/env bash
# Installs the Debian packages Kordavo needs to build, test and play.
# Only what is missing is installed; uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config git
  libsdl2-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libjpeg-turbo-progs
  fonts-dejavu-core fonts-dejavu-extra python3
  librsvg2-dev libcairo2-dev libfreetype-dev libpng-dev
  xvfb xauth xdotool
  imagemagick
  libfluidsynth-dev timgm6mb-soundfont
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Fehlende Pakete werden installiert: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# On a fresh machine the automatic updates often hold apt's lock for a while:
# wait for it (at most APT_LOCK_WAIT seconds) instead of failing at once.
lock_wait=${APT_LOCK_WAIT:-600}
apt_get() {
  local start=$SECONDS said=0 log
  log=$(mktemp)
  while :; do
    if LC_ALL=C $SUDO apt-get -o DPkg::Lock::Timeout=10 "$@" 2>"$log"; then
      cat "$log" >&2
      rm -f "$log"
      return 0
    fi
    if ! grep -q -i "could not get lock\|unable to acquire\|unable to lock" "$log" ||
       (( SECONDS - start >= lock_wait )); then
      cat "$log" >&2
      rm -f "$log"
      if (( said )); then
        echo "Die Paketverwaltung blieb ${lock_wait} s lang gesperrt; bitte später erneut versuchen." >&2
      fi
      return 1
    fi
    if (( ! said )); then
      echo "Ein anderer apt-Prozess (etwa die automatischen Updates) sperrt die Paketverwaltung:" \
           "warte bis zu ${lock_wait} s ..." >&2
      said=1
    fi
    sleep 5
  done
}

apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
