#include "tray/icon_record.h"

#include <algorithm>

#include "platform/vb_types.h"

namespace {

constexpr std::size_t TipField = sizeof(NOTIFYICONDATAA::szTip);

NOTIFYICONDATAA EmptyRecord(std::int32_t hWnd, std::int32_t IconID) {
    NOTIFYICONDATAA record{};
    record.cbSize = sizeof(NOTIFYICONDATAA);
    record.hWnd = hWnd;
    record.uID = static_cast<std::uint32_t>(IconID);
    return record;
}

}  // namespace

NOTIFYICONDATAA IconRecord(std::int32_t hWnd, std::int32_t IconID, std::uint32_t callbackMessage,
                           std::int32_t hIcon, const std::string& ToolTipText) {
    NOTIFYICONDATAA record = EmptyRecord(hWnd, IconID);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = callbackMessage;
    record.hIcon = hIcon;
    // At most 63 bytes and a NUL, the rest of the field spaces; never half a UTF-8 character.
    std::string tip = Trim(ToolTipText);
    std::size_t cut = std::min(tip.size(), TipField - 1);
    while (cut < tip.size() && (static_cast<unsigned char>(tip[cut]) & 0xC0) == 0x80) --cut;
    tip.resize(cut);
    std::fill(std::begin(record.szTip), std::end(record.szTip), ' ');
    std::copy(tip.begin(), tip.end(), record.szTip);
    record.szTip[tip.size()] = '\0';
    return record;
}

NOTIFYICONDATAA DeleteRecord(std::int32_t hWnd, std::int32_t IconID) {
    return EmptyRecord(hWnd, IconID);
}
