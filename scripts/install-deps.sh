#!/usr/bin/env bash
# Installs the Debian packages of one set, whichever of them are missing:
#   run    building and running Chronolien (scripts/run.sh, scripts/install.sh)
#   test   the run set and what the tests add (scripts/test.sh)
# When everything is there it only asks dpkg-query and returns, without touching the network.
#
# The test set brings two system services the tests never use, since they start private
# instances of their own: Dovecot (a POP3/IMAP server listening on every interface) and
# NetworkManager (which would take over the machine's networking). When this script is the one
# installing them, they are kept from starting during the install (a policy-rc.d, which both
# invoke-rc.d and deb-systemd-invoke obey) and disabled and masked afterwards, with or without
# systemd running. A service that was installed before is left as it was.
#
# Usage: scripts/install-deps.sh run|test
set -euo pipefail

run_packages=(
    build-essential cmake ninja-build qt6-base-dev qt6-multimedia-dev
    # Qt's own French texts (standard buttons, file dialogs, context menus)
    qt6-translations-l10n
    # Qt Multimedia's backend: without it a sound player cannot even be made
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)
test_packages=(
    "${run_packages[@]}"
    # window and tray tests, screenshots, the end-to-end test
    xvfb xauth xdotool trayer imagemagick x11-utils fonts-dejavu-core
    # mail tests: a real POP3 server on loopback, and certificates for its TLS listener
    dovecot-core dovecot-pop3d openssl
    # line tests: NetworkManager in a private namespace on a system bus of its own
    network-manager iproute2
    # private session buses (tray watcher, desktop services)
    dbus dbus-daemon
    # a Wayland session: weston's headless compositor and Qt's Wayland plugin
    weston qt6-wayland
    # the installed desktop entries are validated
    desktop-file-utils
    # fuzz targets: clang with libFuzzer
    clang libclang-rt-14-dev
)

# Services of the test set: the package that brings each, its systemd units and its init script.
declare -A service_units=(
    [dovecot-core]="dovecot.service dovecot.socket"
    [network-manager]="NetworkManager.service NetworkManager-wait-online.service NetworkManager-dispatcher.service"
)
declare -A service_init_scripts=([dovecot-core]=dovecot [network-manager]=network-manager)

case ${1:-} in
run) packages=("${run_packages[@]}") ;;
test) packages=("${test_packages[@]}") ;;
*)
    echo "Usage: $0 run|test" >&2
    exit 2
    ;;
esac

installed() {
    dpkg-query -W -f='${Package} ${Status}\n' "$@" 2>/dev/null | awk '/ install ok installed$/ { print $1 }'
}
mapfile -t present < <(installed "${packages[@]}")
missing=()
for p in "${packages[@]}"; do
    [[ " ${present[*]} " == *" $p "* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    exec sudo "$0" "$@"
fi

guarded=()
for p in "${missing[@]}"; do
    [ -n "${service_units[$p]:-}" ] && guarded+=("$p")
done

policy=/usr/sbin/policy-rc.d
saved=$policy.chronolien-saved
marker="# Written by Chronolien's scripts/install-deps.sh for the length of an install."

# Two installs at once would save each other's policy as the original.
mkdir -p /run/lock
exec 9>/run/lock/chronolien-install-deps.lock
flock 9

restore_policy() {
    if [ -e "$saved" ] || [ -L "$saved" ]; then
        mv -f "$saved" "$policy"
    elif grep -qxF "$marker" "$policy" 2>/dev/null; then
        rm -f "$policy"
    fi
}

if [ ${#guarded[@]} -gt 0 ]; then
    names=()
    for p in "${guarded[@]}"; do
        names+=(${service_units[$p]} ${service_init_scripts[$p]})
    done
    # A policy of ours found here was left by an install that was killed; the original, if there
    # was one, is still in $saved.
    if { [ -e "$policy" ] || [ -L "$policy" ]; } && ! grep -qxF "$marker" "$policy" 2>/dev/null; then
        mv -f "$policy" "$saved"
    fi
    trap restore_policy EXIT
    trap 'exit 130' INT TERM HUP
    # invoke-rc.d calls it as "[--quiet] <script> <action> [<runlevel>]", deb-systemd-invoke as
    # "<unit> <action>". Other services keep the answer of the policy that was there, if any.
    cat >"$policy.new" <<EOF
#!/bin/sh
$marker
name=\$1
[ "\$name" = --quiet ] && name=\$2
case " ${names[*]} " in *" \$name "*) exit 101 ;; esac
[ -x "$saved" ] && exec "$saved" "\$@"
exit 0
EOF
    chmod 755 "$policy.new"
    mv -f "$policy.new" "$policy"
fi

echo "Installing: ${missing[*]}"
status=0
apt-get update -qq || status=$?
if [ $status -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "${missing[@]}" || status=$?
fi

# Disabled and masked on disk (--root works on the unit files whether systemd runs or not), then,
# where systemd runs, reloaded and stopped in case something started them all the same.
for p in "${guarded[@]}"; do
    case $(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null) in "" | not-installed | config-files) continue ;; esac
    units=${service_units[$p]}
    masked=yes
    if command -v systemctl >/dev/null; then
        systemctl --root=/ disable --quiet $units 2>/dev/null || true
        systemctl --root=/ mask --quiet $units 2>/dev/null || masked=no
        if [ -d /run/systemd/system ]; then
            systemctl daemon-reload 2>/dev/null || true
            systemctl stop $units 2>/dev/null || true
        fi
    fi
    script=${service_init_scripts[$p]}
    if [ -e "/etc/init.d/$script" ] && command -v update-rc.d >/dev/null; then
        update-rc.d "$script" disable >/dev/null 2>&1 || masked=no
    fi
    if [ $masked = yes ]; then
        echo "The system service of $p stays off (disabled and masked): the tests start private instances."
    else
        echo "Could not disable the system service of $p: turn it off by hand ($units)." >&2
    fi
done
exit $status
