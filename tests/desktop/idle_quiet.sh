#!/bin/sh
# An idle window wakes nothing: after a sound has played and the output has had time to close,
# none of the program's threads switches any more, as none of a bare Qt window's does.
# Usage: idle_quiet.sh PROGRAM. Exits 77 (skipped) when Xvfb or python3 is missing.
set -u
program=$1
tools="Xvfb python3"
. "$(dirname "$0")/x_session.sh"

# Switches of every thread of process $1 so far.
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1); out.setsampwidth(2); out.setframerate(44100)
    out.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(i / 10))) for i in range(8820)))
PY

mkdir -p "$work/home"
env -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb \
    "$program" "$work/tone.wav" >"$work/program.log" 2>&1 &
corvala=$!
pids="$corvala $pids"

# The sound lasts 0.2 s and the output closes about ten seconds after it; from then on, two
# seconds in a row must pass without a single switch. Give up after a minute and a half.
for second in $(seq 1 45); do
    before=$(switches "$corvala")
    sleep 2
    kill -0 "$corvala" 2>/dev/null || { cat "$work/program.log"; fail "the program ended"; }
    after=$(switches "$corvala")
    if [ "$second" -gt 1 ] && [ "$after" -eq "$before" ]; then
        echo "quiet after about $((second * 2)) s"
        exit 0
    fi
done
fail "the idle program's threads still switched $((after - before)) times in two seconds"
