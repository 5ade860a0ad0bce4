#include "platform/audio/cue_sheet_check.h"

#include <array>
#include <charconv>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "platform/core/ignoring_case.h"

namespace audio {

namespace {

std::optional<int> numberIn(std::string_view word, int lowest, int highest) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

bool isTime(std::string_view word) {
    if (word.size() != 8 || word[2] != ':' || word[5] != ':') return false;
    return numberIn(word.substr(0, 2), 0, 99) && numberIn(word.substr(3, 2), 0, 59) &&
           numberIn(word.substr(6, 2), 0, 74);
}

bool isTrackType(std::string_view word) {
    constexpr std::array<std::string_view, 8> kTypes = {"AUDIO",      "MODE1/2048", "MODE1/2352",
                                                        "MODE2/2336", "MODE2/2352", "CDG",
                                                        "CDI/2336",   "CDI/2352"};
    for (std::string_view type : kTypes)
        if (text::EqualsIgnoringCase(word, type)) return true;
    return false;
}

bool isFreeText(std::string_view command) {
    constexpr std::array<std::string_view, 8> kCommands = {
        "REM", "CATALOG", "TITLE", "PERFORMER", "SONGWRITER", "FLAGS", "ISRC", "CDTEXTFILE"};
    for (std::string_view known : kCommands)
        if (text::EqualsIgnoringCase(command, known)) return true;
    return false;
}

bool isTocDataFile(std::string_view keyword) {
    return keyword == "FILE" || keyword == "AUDIOFILE" || keyword == "DATAFILE";
}

}  // namespace

bool IsPlainCueSheet(std::string_view sheet) {
    for (unsigned char c : sheet)
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') return false;
    std::istringstream lines{std::string(sheet)};
    bool fileSeen = false;
    int lastTrack = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string command;
        if (!(words >> command)) continue;
        std::string first;
        std::string second;
        words >> first >> second;
        if (text::EqualsIgnoringCase(command, "FILE")) {
            fileSeen = true;
        } else if (text::EqualsIgnoringCase(command, "TRACK")) {
            const auto number = numberIn(first, 1, 99);
            if (!fileSeen || !number || !isTrackType(second)) return false;
            // Numbered from 1 without a gap: libcdio reads outside its tables for a disc
            // whose first track is a late one (TRACK 69 alone crashes it).
            if (*number != lastTrack + 1) return false;
            lastTrack = *number;
        } else if (text::EqualsIgnoringCase(command, "INDEX")) {
            if (lastTrack == 0 || !numberIn(first, 0, 99) || !isTime(second)) return false;
        } else if (text::EqualsIgnoringCase(command, "PREGAP") ||
                   text::EqualsIgnoringCase(command, "POSTGAP")) {
            if (lastTrack == 0 || !isTime(first)) return false;
        } else if (!isFreeText(command)) {
            return false;
        }
    }
    return lastTrack != 0;
}

bool IsSafeImageSource(const std::filesystem::path& source) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_type kind = fs::status(source, error).type();
    if (kind == fs::file_type::block) return true;
    if (kind != fs::file_type::regular) return false;
    if (!text::EqualsIgnoringCase(source.extension().string(), ".toc")) return true;
    if (fs::file_size(source, error) > kLargestCueSheet || error) return false;
    std::ifstream in(source, std::ios::binary);
    std::istringstream words{std::string{std::istreambuf_iterator<char>(in), {}}};
    for (std::string word; words >> word;) {
        if (!isTocDataFile(word) || !(words >> std::quoted(word))) continue;
        // Named relative to the sheet by newer libcdio releases, as given by older ones.
        for (const fs::path& file : {source.parent_path() / word, fs::path(word)}) {
            const fs::file_type type = fs::status(file, error).type();
            if (type != fs::file_type::regular && type != fs::file_type::not_found) return false;
        }
    }
    return true;
}

}  // namespace audio
