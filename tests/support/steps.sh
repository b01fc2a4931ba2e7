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
