#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lullex needs.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config qt6-base-dev libx11-dev libxi-dev libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool openbox trayer imagemagick fonts-dejavu-core fonts-liberation
  python3-dbusmock dbus-daemon dbus-bin iproute2 nftables locales procps
  # Wayland sessions and the kept-awake sources
  libwayland-dev wayland-protocols plasma-wayland-protocols libxss-dev x11-xserver-utils
  sway wtype xwayland kwin-wayland mutter weston python3-dbus
  # fuzzing and sanitizers
  clang libclang-rt-14-dev
  # packaging
  dpkg-dev file desktop-file-utils lintian
)

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A locale whose month abbreviations are longer than three characters, for the timestamp tests.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  "${sudo[@]}" sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
fi
echo "setup: all packages present"
