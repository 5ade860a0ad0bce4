# Sourced by the desktop checks: needs the tools named in $tools (else exits 77, skipped), then
# gives a work folder cleaned up at exit, fail, eventually, and a private Xvfb in $DISPLAY.
# Processes added to $pids are ended at exit.
for tool in $tools xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; exit 1; }

# Runs the command until it succeeds, for up to $limit tenths of a second (20 s by default).
eventually() {
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -ge "${limit:-200}" ] && return 1
        sleep 0.1
    done
}

# Xvfb picks a free display and names it once it listens; the display counts once a client has reached
# it. Without -noreset the server resets as each check's last client leaves and refuses the next one for
# a moment.
answered_or_ended() { xprop -root >/dev/null 2>&1 || ! kill -0 "$1" 2>/dev/null; }
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    eventually test -s "$work/display" || return 1
    export DISPLAY=":$(cat "$work/display")"
    eventually answered_or_ended "$xvfb" && xprop -root >/dev/null 2>&1 && pids="$xvfb" && return
    kill "$xvfb" 2>/dev/null
    return 1
}
for attempt in 1 2 3; do start_xvfb && break; done
[ -n "$pids" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
