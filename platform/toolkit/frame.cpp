#include "platform/toolkit/frame.h"

#include <QGroupBox>

Frame::Frame(Container& parent) : Control(parent, new QGroupBox) {}
