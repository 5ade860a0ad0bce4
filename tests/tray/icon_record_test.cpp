// The record cSysTray sends to the shell: what an added icon carries, what a delete clears,
// and the tip cut to fit its field.
#include "tray/icon_record.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IconRecord, AnAddCarriesMessageIconAndTipAndADeleteOnlyTheWindowAndIdentifier) {
    const NOTIFYICONDATAA add = IconRecord(0x1234, 7, 0xC123, 0x55, "Corvala");
    EXPECT_EQ(add.cbSize, sizeof add);
    EXPECT_EQ(add.uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    EXPECT_EQ(add.uCallbackMessage, 0xC123u);
    EXPECT_EQ(add.hIcon, 0x55);
    const NOTIFYICONDATAA remove = DeleteRecord(0x1234, 7);
    EXPECT_EQ(remove.cbSize, sizeof remove);
    EXPECT_EQ(remove.hWnd, 0x1234);
    EXPECT_EQ(remove.uID, 7u);
    EXPECT_EQ(remove.uFlags | remove.uCallbackMessage | std::uint32_t(remove.hIcon), 0u);
    EXPECT_EQ(std::string(remove.szTip, sizeof remove.szTip),
              std::string(sizeof remove.szTip, '\0'));
}

TEST(IconRecord, TipIsTrimmedCutTo63CharactersEndedByNulAndFilledWithSpaces) {
    struct Case {
        std::string tip;
        std::string kept;
    };
    const Case cases[] = {
        {"", ""},
        {"  Corvala  ", "Corvala"},
        {std::string(100, 'x'), std::string(63, 'x')},
        {std::string(63, 'y'), std::string(63, 'y')},
        {"  " + std::string(70, 'z'), std::string(63, 'z')},
        {std::string(62, 'u') + "\u00fc", std::string(62, 'u')},  // never half a character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        const NOTIFYICONDATAA record = IconRecord(1, 1, 0x200, 0, c.tip);
        const std::string field(record.szTip, sizeof record.szTip);
        EXPECT_EQ(field, c.kept + '\0' + std::string(63 - c.kept.size(), ' '));
    }
}

}  // namespace
