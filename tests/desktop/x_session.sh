# Sourced by the desktop checks: needs the tools named in $tools (else exits 77, skipped), then
# gives a work folder cleaned up at exit, fail, eventually, and a private Xvfb in $DISPLAY.
# Processes added to $pids are ended at exit.
for tool in $tools; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null; done
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

# Xvfb picks a free display and names it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids="$!"
eventually test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
