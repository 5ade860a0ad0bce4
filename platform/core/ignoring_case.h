#pragma once
// Comparing UTF-8 texts as the file system layer does: code point by code point after simple
// case folding, so "SONG.MID", "Song.mid" and "song.mid" are one name. Bytes that are not
// valid UTF-8 stand for themselves and never equal a character.
#include <string>
#include <string_view>

namespace text {

// Negative, zero or positive as a sorts before, equal to or after b, ignoring case.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// The code points of the text, each case-folded.
std::u32string Folded(std::string_view text);

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return CompareIgnoringCase(a, b) == 0;
}

struct LessIgnoringCase {
    bool operator()(std::string_view a, std::string_view b) const {
        return CompareIgnoringCase(a, b) < 0;
    }
};

}  // namespace text
