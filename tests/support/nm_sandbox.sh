#!/usr/bin/env bash
# A real NetworkManager for tests, in a sandbox that leaves the machine's own networking alone.
#
#   nm_sandbox.sh COMMAND [ARG...]
#
# Runs COMMAND, as root, inside private mount, network, pid and host-name namespaces that hold their
# own /sys (this namespace's interfaces only), their own /run, their own system bus at
# /run/dbus/system_bus_socket, and NetworkManager on that bus with a keyfile folder of its own.
# One connection is there, created but not active:
#   ligne-test   type tun, interface tun7, 10.99.0.1/24, no IPv6
# Exits with COMMAND's status; or 77 (CTest's "skipped") with the reason on standard error when not
# root, when the namespaces or mounts are refused, or when NetworkManager, nmcli, dbus-daemon or
# unshare is missing; or 1 when the sandbox cannot be set up otherwise (NetworkManager's log is
# shown). Everything the sandbox started ends with it.
#
# Inside, COMMAND finds NM_SANDBOX set to the sandbox's folder in the private /run (nm.conf, nm.log,
# nm.pid: NetworkManager's process number, connections/: the keyfiles) and can stop and start
# NetworkManager again with
#   nm_sandbox.sh --stop-networkmanager    (SIGTERM; returns once it has exited)
#   nm_sandbox.sh --start-networkmanager   (returns once it answers on the bus)
set -euo pipefail

skip() {
    echo "nm_sandbox: skipped: $*" >&2
    exit 77
}

# --debug keeps it in the foreground, logging to nm.log; every file it keeps is the sandbox's.
start_networkmanager() {
    NetworkManager --debug --config="$NM_SANDBOX/nm.conf" --config-dir="$NM_SANDBOX/conf.d" \
        --system-config-dir="$NM_SANDBOX/conf.d" --intern-config="$NM_SANDBOX/intern.conf" \
        --state-file="$NM_SANDBOX/nm.state" >>"$NM_SANDBOX/nm.log" 2>&1 &
    local pid=$!
    echo "$pid" >"$NM_SANDBOX/nm.pid"
    for _ in $(seq 100); do
        nmcli general status >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "nm_sandbox: NetworkManager did not come up; its log ends with:" >&2
    tail -n 20 "$NM_SANDBOX/nm.log" >&2
    return 1
}

stop_networkmanager() {
    local pid
    pid=$(cat "$NM_SANDBOX/nm.pid")
    kill -TERM "$pid"
    # The namespace's first process reaps it once all its threads have ended.
    for _ in $(seq 100); do
        [ -e "/proc/$pid" ] || return 0
        sleep 0.1
    done
    echo "nm_sandbox: NetworkManager ($pid) did not stop" >&2
    return 1
}

case "${1-}" in
--stop-networkmanager | --start-networkmanager)
    [ -n "${NM_SANDBOX-}" ] || {
        echo "nm_sandbox: $1 works only inside a sandbox" >&2
        exit 2
    }
    if [ "$1" = --stop-networkmanager ]; then stop_networkmanager; else start_networkmanager; fi
    exit
    ;;
--inside)
    shift
    ;;
"")
    echo "usage: nm_sandbox.sh COMMAND [ARG...]" >&2
    exit 2
    ;;
*)
    [ "$EUID" -eq 0 ] || skip "needs root for its namespaces"
    for tool in unshare dbus-daemon NetworkManager nmcli; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    unshare -m -n -p -u --fork --kill-child --propagation private true 2>/dev/null \
        || skip "private namespaces are refused here"
    # -p with --kill-child ends every process of the namespace, bus included, with this script.
    exec unshare -m -n -p -u --fork --kill-child --propagation private bash "$0" --inside "$@"
    ;;
esac

# From here on: the namespace's first process.
mount -t proc proc /proc || skip "cannot mount a private /proc"
# Read-only, /sys tells NetworkManager it runs without udev, as in a container: it then manages an
# interface it finds at start (tun7 after a restart) instead of waiting for udev to announce it.
mount -t sysfs -o ro sysfs /sys || skip "cannot mount a private /sys"
mount -t tmpfs tmpfs /run || skip "cannot mount a private /run"
mount -t tmpfs tmpfs /var/lib/NetworkManager 2>/dev/null || skip "cannot mount over /var/lib/NetworkManager"

export NM_SANDBOX=/run/nm-sandbox
mkdir -p /run/dbus /run/NetworkManager "$NM_SANDBOX/conf.d" "$NM_SANDBOX/connections"

# A bus of our own that starts no service on demand: nothing from the machine (dispatcher scripts,
# modem or Wi-Fi daemons) runs in here unless the test starts it.
cat >"$NM_SANDBOX/bus.conf" <<'CONF'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=/run/dbus/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$NM_SANDBOX/bus.conf" --fork --nopidfile >/dev/null
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/run/dbus/system_bus_socket

# dns and hostname off: /etc is the machine's, and NetworkManager would otherwise write
# /etc/resolv.conf.
cat >"$NM_SANDBOX/nm.conf" <<CONF
[main]
plugins=keyfile
dns=none
rc-manager=unmanaged
hostname-mode=none
systemd-resolved=false
[keyfile]
path=$NM_SANDBOX/connections
[logging]
level=INFO
CONF
# Where namespaces work, a NetworkManager that does not come up is a fault to see, not a skip.
start_networkmanager

nmcli connection add type tun ifname tun7 con-name ligne-test mode tun \
    ipv4.method manual ipv4.addresses 10.99.0.1/24 ipv6.method disabled \
    connection.autoconnect no >/dev/null

set +e
"$@"
status=$?
set -e
if [ $status -ne 0 ] && [ $status -ne 77 ]; then
    echo "nm_sandbox: the command failed ($status); NetworkManager's log ends with:" >&2
    tail -n 30 "$NM_SANDBOX/nm.log" >&2
fi
exit $status
