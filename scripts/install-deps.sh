#!/usr/bin/env bash
# Installs the Debian packages Tickwell needs to build, test and run, and any further
# packages named as arguments (the benchmark's comparison tools).
# Idempotent: packages already present are left alone, so a second run costs
# one dpkg query.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format python3
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n libxcb1-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs libsqlite3-dev libgtest-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-comic-neue
  xvfb x11-xkb-utils x11-utils xdotool imagemagick openbox trayer
  haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils weston xwayland libglib2.0-bin
  dbus-x11 desktop-file-utils at-spi2-core python3-pyatspi
  scdoc man-db groff-base dpkg-dev lintian appstream
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
