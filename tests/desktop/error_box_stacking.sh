#!/bin/sh
# Under a real window manager (Xvfb + openbox), with Always On Top on: arrowing onto a damaged
# song opens its error boxes one after another; each must be the top of the stacking order and
# active when it opens, and the main window must be active again after the last one.
# Usage: error_box_stacking.sh PROGRAM. Exits 77 (skipped) when the X tools are missing.
set -u
program=$1
tools="Xvfb openbox xdotool xprop"
. "$(dirname "$0")/x_session.sh"
openbox >"$work/openbox.log" 2>&1 &
pids="$! $pids"
eventually sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

mkdir -p "$work/home" "$work/music"
printf 'MThd\000\000\000\006\000\001\000\001\001\340MTrk\377\377\377\377damaged' >"$work/music/damaged.mid"
(cd "$work/music" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" SDL_AUDIODRIVER=dummy \
    QT_QPA_PLATFORM=xcb exec "$program") >"$work/program.log" 2>&1 &
pids="$! $pids"

eventually xdotool search --name '^  Corvala$' || fail "the window did not show"
main=$(xdotool search --name '^  Corvala$' | head -n 1)
eventually sh -c "[ \"\$(xdotool getactivewindow)\" = $main ]" || fail "the window did not become active"

top_window() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, //; s/.*# //'; }
active_window() { xdotool getactivewindow 2>/dev/null; }

xdotool key Tab Tab Down
boxes=0
# A further box of the same failure opens within moments of the last one closing.
while limit=50 eventually sh -c "[ \"\$(xdotool getactivewindow)\" != $main ]"; do
    box=$(active_window)
    [ -n "$box" ] || break
    boxes=$((boxes + 1))
    [ "$(printf '%d' "$(top_window)")" = "$box" ] || fail "box $boxes opened beneath another window"
    xdotool key Return
    eventually sh -c "! xdotool getwindowname $box" || fail "box $boxes did not close on Enter"
    [ "$boxes" -ge 5 ] && break
done
[ "$boxes" -ge 1 ] || fail "no error box opened for the damaged song"
eventually sh -c "[ \"\$(xdotool getactivewindow)\" = $main ]" || fail "the window did not answer after the last box"
echo "passed: $boxes box(es), each on top"
