#!/usr/bin/env bash
# Fails when a file of the program's own folders names a Qt or audio-library header: only
# platform/ may reach those. (Headers installed in /usr/include itself, such as fluidsynth.h,
# are on every include path, so the build alone cannot refuse them.)
set -u
top=$1
cd "$top" || exit 2
hits=$(grep -rn -E '#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]+/|SDL|fluidsynth|sndfile|soxr|alsa/|cdio/|cdparanoia)' \
    main_window media shell tray tools 2>/dev/null)
if [ -n "$hits" ]; then
    echo "Qt or audio headers outside platform/:"
    echo "$hits"
    exit 1
fi
echo "the program's folders include only platform headers"
