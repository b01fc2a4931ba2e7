#!/usr/bin/env bash
# The package step of scripts/run.sh, scripts/install.sh and scripts/test.sh, run with stand-ins
# for apt-get, dpkg-query, systemctl and update-rc.d first on the PATH, in a private mount
# namespace whose /usr/sbin, /run and /etc/init.d are empty folders of its own: which packages
# each command asks for, and that the test set's system services are kept from starting while
# they install and disabled afterwards, with the policy-rc.d that was there put back.
#
# Usage: test_packages.sh <repository>
set -euo pipefail
repo=$(cd "$1" && pwd)

if [ -z "${CHRONOLIEN_IN_NAMESPACE:-}" ]; then
    opts=(-m --propagation private)
    [ "$(id -u)" -eq 0 ] || opts+=(-r)
    if ! unshare "${opts[@]}" true 2>/dev/null; then
        echo "SKIPPED: unshare refused to make a private mount namespace here"
        exit 77
    fi
    CHRONOLIEN_IN_NAMESPACE=1 exec unshare "${opts[@]}" bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for folder in /usr/sbin /run /etc/init.d; do
    mount -t tmpfs tmpfs "$folder"
done
export STATE="$work/state"
mkdir -p "$work/bin" "$STATE"

# dpkg-query: a package is installed when it is named in $STATE/installed ("*" names them all).
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/bash
format=
packages=()
for a in "$@"; do
    case $a in -W) ;; -f=*) format=${a#-f=} ;; *) packages+=("$a") ;; esac
done
for p in "${packages[@]}"; do
    if grep -qxF -e "$p" -e '*' "$STATE/installed"; then
        status="install ok installed" short=installed
    else
        status="unknown ok not-installed" short=not-installed
    fi
    out=${format//'${Package}'/$p}
    out=${out//'${Status}'/$status}
    printf '%b' "${out//'${db:Status-Status}'/$short}"
done
EOF
# apt-get: logs its command line; while installing, asks the policy-rc.d in place about each name
# in $STATE/probes as invoke-rc.d and deb-systemd-invoke would, and installs what it was given.
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/bash
echo "$*" >>"$STATE/apt-get"
[[ " $* " == *" install "* ]] || exit 0
for name in $(cat "$STATE/probes"); do
    for quiet in "" --quiet; do
        rc=0
        [ -x /usr/sbin/policy-rc.d ] && { /usr/sbin/policy-rc.d $quiet "$name" start || rc=$?; }
        echo "$name $rc" >>"$STATE/policy"
    done
done
status=$(cat "$STATE/apt-status")
[ "$status" -eq 0 ] || exit "$status"
for a in "$@"; do
    case $a in -* | install | DPkg::*) ;; *) echo "$a" >>"$STATE/installed" ;; esac
done
if [[ " $* " == *" dovecot-core "* ]]; then touch /etc/init.d/dovecot; fi
EOF
for tool in systemctl update-rc.d; do
    printf '#!/bin/sh\necho "$*" >>"$STATE/%s"\n' "$tool" >"$work/bin/$tool"
done
chmod 755 "$work/bin"/*
export PATH="$work/bin:$PATH"

# A policy that was there before: it answers 104 for every service.
original='#!/bin/sh
exit 104'

failures=0
fail() {
    echo "FAILED: $row: $*" >&2
    failures=$((failures + 1))
}
words_in() { [[ " $2 " == *" $1 "* ]]; }

run_set='qt6-base-dev qt6-translations-l10n gstreamer1.0-plugins-base gstreamer1.0-plugins-good'
test_tools='dovecot-core dovecot-pop3d libclang-rt-14-dev clang xvfb xdotool trayer imagemagick network-manager weston'
dovecot_units='dovecot dovecot.service dovecot.socket'
nm_units='NetworkManager.service NetworkManager-wait-online.service NetworkManager-dispatcher.service'

# row | command | installed before | apt-get's exit status | systemd runs | policy-rc.d before
#     | asked for | never asked for | kept from starting and masked | left alone
rows=(
    "run.sh|scripts/run.sh||0|no|yes|$run_set|$test_tools||$dovecot_units $nm_units"
    "install.sh|scripts/install.sh||0|no|no|$run_set|$test_tools||$dovecot_units $nm_units"
    "test.sh|scripts/test.sh||0|no|no|$run_set $test_tools qt6-wayland||$dovecot_units $nm_units|cron"
    "test.sh, systemd running, own policy|scripts/test.sh||0|yes|yes|dovecot-core network-manager||$dovecot_units $nm_units|cron"
    "test.sh beside the user's own Dovecot|scripts/test.sh|dovecot-core dovecot-pop3d|0|no|yes|network-manager|dovecot-core dovecot-pop3d|$nm_units|$dovecot_units"
    "test.sh, the install fails|scripts/test.sh||100|no|yes|dovecot-core||$dovecot_units $nm_units|cron"
    "run.sh, everything there|scripts/run.sh|*|0|no|yes||$run_set||"
)
for line in "${rows[@]}"; do
    IFS='|' read -r row command before apt_status systemd policy asked never guarded untouched <<<"$line"
    rm -rf "${STATE:?}"/* /run/* /etc/init.d/* /usr/sbin/*
    tr ' ' '\n' <<<"$before" >"$STATE/installed"
    echo "$apt_status" >"$STATE/apt-status"
    echo "$guarded $untouched" >"$STATE/probes"
    [ "$systemd" = yes ] && mkdir -p /run/systemd/system
    if [ "$policy" = yes ]; then
        printf '%s\n' "$original" >/usr/sbin/policy-rc.d
        chmod 755 /usr/sbin/policy-rc.d
    fi

    status=0
    CHRONOLIEN_PACKAGES_ONLY=1 "$repo/$command" >"$work/out" 2>&1 || status=$?
    [ $status -eq 0 ] || [ "$apt_status" -ne 0 ] || fail "ended with $status: $(cat "$work/out")"
    [ "$apt_status" -eq 0 ] || [ $status -ne 0 ] || fail "a failed install was reported as success"

    request=$(grep -E '(^| )install ' "$STATE/apt-get" 2>/dev/null || true)
    [ -n "$asked" ] || [ -z "$request" ] || fail "asked for packages with all of them installed: $request"
    for p in $asked; do words_in "$p" "$request" || fail "$p was not asked for"; done
    for p in $never; do ! words_in "$p" "$request" || fail "$p was asked for"; done

    # A package that did not install leaves no mask behind.
    masked=$(grep -E '(^| )mask ' "$STATE/systemctl" 2>/dev/null | tr '\n' ' ' || true)
    if [ "$apt_status" -ne 0 ]; then
        [ -z "$masked" ] || fail "masked units of packages that did not install: $masked"
        masked=$guarded
    fi
    for name in $guarded; do
        grep -qx "$name 101" "$STATE/policy" || fail "$name could start during the install"
        ! grep -qvx "$name 101" <(grep "^$name " "$STATE/policy") || fail "$name was let start once"
        case $name in *.*) words_in "$name" "$masked" || fail "$name was not masked" ;; esac
    done
    expected_answer=0
    [ "$policy" = yes ] && expected_answer=104
    for name in $untouched; do
        ! grep -qv "^$name $expected_answer\$" <(grep "^$name " "$STATE/policy") ||
            fail "$name did not get the answer of the policy that was there"
        ! words_in "$name" "$masked" || fail "$name was masked"
    done
    if words_in dovecot.service "$guarded" && [ "$apt_status" -eq 0 ]; then
        grep -qx 'dovecot disable' "$STATE/update-rc.d" || fail "dovecot's init script was not disabled"
    fi
    stopped=$(grep -E '(^| )stop ' "$STATE/systemctl" 2>/dev/null | tr '\n' ' ' || true)
    if [ "$systemd" = yes ] && [ -n "$guarded" ] && [ "$apt_status" -eq 0 ]; then
        for unit in $guarded; do
            case $unit in *.*) words_in "$unit" "$stopped" || fail "$unit was not stopped" ;; esac
        done
    else
        [ -z "$stopped" ] || fail "stopped units with no systemd running: $stopped"
    fi

    if [ "$policy" = yes ]; then
        [ "$(cat /usr/sbin/policy-rc.d 2>/dev/null)" = "$original" ] || fail "the policy-rc.d that was there is not back"
    fi
    leftover=$(ls /usr/sbin)
    [ "$policy" = yes ] && leftover=$(ls /usr/sbin | grep -vx policy-rc.d || true)
    [ -z "$leftover" ] || fail "left in /usr/sbin: $leftover"
    echo "== $row: $(grep -c . "$STATE/policy" 2>/dev/null || echo 0) policy answers checked"
done
[ $failures -eq 0 ] || exit 1
echo PASSED
