// The record cSysTray sends to the shell, byte for byte as the ANSI layout has it.
#include "tray/icon_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::uint32_t Dword(const unsigned char* bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

struct Field {
    std::size_t offset;
    std::uint32_t add;
    std::uint32_t remove;
};

TEST(IconRecord, HoldsItsFieldsAtTheirOffsets) {
    const NOTIFYICONDATAA add = IconRecord(0x1234, 7, 0xC123, 0x55, "Corvala");
    const NOTIFYICONDATAA remove = DeleteRecord(0x1234, 7);
    ASSERT_EQ(sizeof add, 88u);
    unsigned char addBytes[88];
    unsigned char removeBytes[88];
    std::memcpy(addBytes, &add, 88);
    std::memcpy(removeBytes, &remove, 88);

    const Field fields[] = {
        {0, 88, 88},          // cbSize
        {4, 0x1234, 0x1234},  // hWnd
        {8, 7, 7},            // uID
        {12, 7, 0},           // uFlags: message, icon and tip
        {16, 0xC123, 0},      // uCallbackMessage
        {20, 0x55, 0},        // hIcon
    };
    for (const Field& field : fields) {
        SCOPED_TRACE(field.offset);
        EXPECT_EQ(Dword(addBytes, field.offset), field.add);
        EXPECT_EQ(Dword(removeBytes, field.offset), field.remove);
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(addBytes + 24), 8),
              std::string("Corvala\0", 8));
    for (std::size_t i = 24; i < 88; ++i) EXPECT_EQ(removeBytes[i], 0) << i;
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
        {std::string(62, 'u') + "\u00fc", std::string(62, 'u')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        const NOTIFYICONDATAA record = IconRecord(1, 1, 0x200, 0, c.tip);
        const std::string field(record.szTip, sizeof record.szTip);
        const std::string expected = c.kept + '\0' + std::string(63 - c.kept.size(), ' ');
        EXPECT_EQ(field, expected);
    }
}

}  // namespace
