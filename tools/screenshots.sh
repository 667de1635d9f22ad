#!/usr/bin/env bash
# Makes the pictures of the user guide (app/aide/images/) from the real
# program: a copy of the built program in a new work folder, under Xvfb,
# opens the guide's example and is driven from the keyboard as a user would.
#   bash tools/screenshots.sh [display] [build folder]
# Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
display=${1:-:99}
build=${2:-build}
images=$PWD/app/aide/images
[ -x "$build/app/PolyxX" ] || { echo "screenshots: no program in $build/app/ (build it first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill "${program:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$build/app/PolyxX" "$work/"
cp -r app/aide "$work/aide"

Xvfb "$display" -screen 0 1400x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$work" && exec env LC_ALL=C.UTF-8 ./PolyxX) >/dev/null 2>&1 &
program=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --name "^Polyx'X : " 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "screenshots: the window did not appear" >&2; exit 1; }
sleep 1

focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }
# The menu bar from the keyboard: Alt, then the menu's place from the left
# (negative: from the right), then the item's place from the top.
menu() {
  focus "$window"
  xdotool key alt; sleep 0.2
  if [ "$1" -lt 0 ]; then for _ in $(seq $((-$1))); do xdotool key Left; done
  else for _ in $(seq "$1"); do xdotool key Right; done; fi
  xdotool key Down; sleep 0.3
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return; sleep 1.2
}
shot() { import -window "$1" "$images/$2"; echo "screenshots: $2"; }
newest() { xdotool search --onlyvisible --name "$1" | tail -1; }

mkdir -p "$images"
menu -1 1                       # ? > Premiers pas : ouvrir l'exemple
shot "$window" exemple-ouvert.png
menu 4 0                        # Traductions > Traduction du Script Externe
sleep 1.5                       # the balloon goes
shot "$window" exemple-traduit.png
focus "$window"; xdotool key F9; sleep 1
shot "$(newest '^Rapport de traduction$')" exemple-rapport.png
menu 2 1                        # DICO > Vérifier les dictionnaires
shot "$(newest '^Vérification des dictionnaires$')" verification.png
menu -1 3                       # ? > À propos de Polyx'X
shot "$(newest "^À propos de Polyx'X$")" a-propos.png
menu -1 0                       # ? > Aide de Polyx'X
shot "$(newest "^Aide de Polyx'X$")" aide.png
