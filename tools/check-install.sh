#!/usr/bin/env bash
# Installs the build given (build/ by default) into a temporary prefix and
# checks what an installation holds: the files and only those, the desktop
# entry and AppStream file accepted by their validators, the revision notes
# in Windows-1252 with CR LF, the user guide, and an installed program that writes into the
# user's folders, never into its prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
id=$(sed -n 's/^set(POLYX_APP_ID \(.*\))$/\1/p' CMakeLists.txt)
root=$(mktemp -d)
trap 'kill "${program:-}" 2>/dev/null || true; rm -rf "$root"' EXIT
prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }

# The user guide: every page and picture of app/aide/, and nothing else.
guide=$(cd app/aide && find . -type f | sed 's|^\./|share/polyxx/aide/|')
expected=$(printf '%s\n' bin/PolyxX share/applications/"$id".desktop share/metainfo/"$id".metainfo.xml \
  share/icons/hicolor/scalable/apps/"$id".svg share/polyxx/_REVISIONS.TXT $guide | sort)
found=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$found" = "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$found"))"
[ -x "$prefix/bin/PolyxX" ] || fail "the program is not executable"

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null \
  || fail "appstreamcli refused the metainfo file: $(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml")"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -qx "StartupWMClass=PolyxX" "$desktop" || fail "StartupWMClass is not the window's class PolyxX"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" \
  || fail "the metainfo file does not launch $id.desktop"

notes=$prefix/share/polyxx/_REVISIONS.TXT
[ "$(tr -d '\r' < "$notes" | wc -l)" = "$(grep -c $'\r$' "$notes")" ] || fail "a line of the notes does not end with CR LF"
iconv -f WINDOWS-1252 -t UTF-8 "$notes" >/dev/null || fail "the notes are not Windows-1252"
! iconv -f UTF-8 -t UTF-8 "$notes" >/dev/null 2>&1 || fail "the notes are UTF-8, not Windows-1252"

# The installed program, started by a user with an empty home, makes its
# folders there at once.
home=$root/home
mkdir -p "$home"
env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "$prefix/bin/PolyxX" >/dev/null 2>&1 &
program=$!
for _ in $(seq 100); do
  [ -d "$home/Documents/PolyxX" ] && [ -d "$home/.config/PolyxX" ] && break
  sleep 0.2
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ -d "$home/Documents/PolyxX" ] || fail "the installed program made no work folder in ~/Documents/PolyxX"
[ -d "$home/.config/PolyxX" ] || fail "the installed program made no ~/.config/PolyxX"
found=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$found" = "$expected" ] || fail "the installed program wrote into its prefix"
echo "check-install: layout, validators, revision notes and user folders ok"
