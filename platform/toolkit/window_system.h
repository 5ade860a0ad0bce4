#pragma once
// Which window system the program asks Qt for.

namespace toolkit {

// A Wayland client may neither keep its window above others nor place it, which Always On Top
// and centring need; under XWayland the X11 protocol allows both. So in a Wayland session with
// XWayland (DISPLAY set) the program runs as an X11 client, unless QT_QPA_PLATFORM names a
// platform already.
bool UseXWayland();

}  // namespace toolkit
