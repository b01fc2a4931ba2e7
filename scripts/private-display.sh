# Sourced by the graph's screenshot and benchmark scripts: start_private_display FOLDER starts an
# Xvfb of its own, adds its process to the caller's `pids` array, and exports DISPLAY, the xcb
# platform and a private runtime folder under FOLDER for the Qt programs started after it.
start_private_display() {
    local work=$1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -nolock 3>"$work/display" 2>/dev/null &
    pids+=("$!")
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}
