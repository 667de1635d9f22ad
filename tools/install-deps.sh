#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Polyx'X.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
          libgtest-dev libbenchmark-dev xvfb fonts-dejavu-core dbus-daemon
          desktop-file-utils appstream dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
