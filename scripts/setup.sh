#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Lullex needs.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libx11-dev libxi-dev libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool openbox trayer imagemagick fonts-dejavu-core fonts-liberation
  python3-dbusmock dbus-daemon dbus-bin iproute2 nftables locales procps
  # Wayland sessions and the kept-awake sources
  libwayland-dev wayland-protocols plasma-wayland-protocols libxss-dev x11-xserver-utils
  sway wtype xwayland kwin-wayland mutter weston python3-dbus qt6-wayland
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

# Locales for the timestamp tests: French (its abbreviations of June and July share their first
# three letters), German (twelve distinct three-letter forms), Lithuanian (August and September
# collide), Persian (a two-letter May) and Japanese (forms wider than three columns).
locales=("fr_FR.UTF-8 UTF-8" "de_DE.UTF-8 UTF-8" "lt_LT.UTF-8 UTF-8" "fa_IR UTF-8" "ja_JP.UTF-8 UTF-8")
missing_locales=()
for entry in "${locales[@]}"; do
  name=${entry%% *}
  # locale -a lists fr_FR.UTF-8 as fr_FR.utf8, and fa_IR as it is.
  locale -a 2>/dev/null | grep -ix "${name/.UTF-8/.utf8}" >/dev/null || missing_locales+=("$entry")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  for entry in "${missing_locales[@]}"; do
    "${sudo[@]}" sed -i "s/^# *${entry}\$/${entry}/" /etc/locale.gen
    grep -qx "$entry" /etc/locale.gen || echo "$entry" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo[@]}" locale-gen >/dev/null
fi
echo "setup: all packages present"
