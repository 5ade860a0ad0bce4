#include "platform/toolkit/key_codes.h"

#include <QKeyEvent>
#include <map>

namespace toolkit {
namespace {

const std::map<int, std::int16_t>& NamedKeys() {
    static const std::map<int, std::int16_t> keys = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},  {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},    {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},   {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},    {Qt::Key_Home, 36},    {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},       {Qt::Key_Right, 39},  {Qt::Key_Down, 40},    {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},
    };
    return keys;
}

}  // namespace

std::int16_t KeyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::int16_t>(key);  // the toolkit uses the same ASCII codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F16) {
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    }
    const auto found = NamedKeys().find(key);
    return found == NamedKeys().end() ? 0 : found->second;
}

std::int16_t ShiftStateOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                     (modifiers & Qt::ControlModifier ? 2 : 0) |
                                     (modifiers & Qt::AltModifier ? 4 : 0));
}

}  // namespace toolkit
