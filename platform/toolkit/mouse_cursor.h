#pragma once
// A custom mouse pointer: a picture, and the pixel of it that points (its hot spot).
#include "platform/toolkit/picture.h"

struct MouseCursor {
    ::Picture picture;
    int hotX = 0;
    int hotY = 0;
};
