#pragma once
// Message boxes and modal forms belong to the window the user was in, so that they can never
// open beneath it: above a top-most owner they are top-most too, and they take the focus.
class QWidget;

namespace toolkit {

// The active window, or else the last loaded form still on the screen; never `dialog` itself.
QWidget* DialogOwner(const QWidget* dialog = nullptr);
// Call before showing `dialog`: owned by `owner` (null for none) and kept above it.
void OwnDialog(QWidget& dialog, QWidget* owner);
// Call once `dialog` shows: in front, with the focus.
void BringForward(QWidget& dialog);

}  // namespace toolkit
