#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Chronolien needs.
# Idempotent: when everything is already there it only checks and returns.
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build qt6-base-dev qt6-multimedia-dev
    # runtime of sounds (Qt Multimedia's backend)
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    # window and tray tests, screenshots
    xvfb xauth xdotool trayer imagemagick x11-utils fonts-dejavu-core
    # mail tests: a real POP3 server on loopback (and certificates for its TLS listener)
    dovecot-core dovecot-pop3d openssl
    # fuzz targets: clang with libFuzzer
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
