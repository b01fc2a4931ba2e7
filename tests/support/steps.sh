# Shell helpers for the scripted tests: named steps and bounded waits. Source it; the sourcing
# script defines fail(), which reports the current $step.

begin() {
    step=$1
    echo "== $step"
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# At the end of a run: stops the background processes recorded in the array pids, the last started
# first, then removes the folder $work after a success, or says where it is kept after a failure.
# $1: the script's exit status.
stop_and_tidy() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    if [ "$1" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "The run's files are kept in $work" >&2
    fi
}
