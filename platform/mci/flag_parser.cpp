#include "platform/mci/flag_parser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "platform/mci/command_syntax.h"

namespace mci {

namespace {

// Numbers travel as 32-bit values: signed ones (positions may be negative) and unsigned ones
// (window handles) both fit this range.
constexpr std::int64_t kSmallest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kLargest = std::numeric_limits<std::uint32_t>::max();

std::optional<std::int64_t> toDecimal(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (fault != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// "1:2:3" packs its fields a byte each, the first in the lowest, as time formats such as
// msf and tmsf read them.
std::optional<std::int64_t> toColonPacked(std::string_view text) {
    std::int64_t packed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::size_t colon = text.find(':');
        const auto field = toDecimal(text.substr(0, colon));
        if (!field || *field < 0 || *field > 0xFF) return std::nullopt;
        packed |= *field << shift;
        if (colon == std::string_view::npos) return packed;
        text.remove_prefix(colon + 1);
    }
    return std::nullopt;
}

std::optional<std::int64_t> toInteger(const Token& word) {
    const std::string& text = word.text;
    const auto value = text.find(':') == std::string::npos ? toDecimal(text) : toColonPacked(text);
    if (!value || *value < kSmallest || *value > kLargest) return std::nullopt;
    return value;
}

// How many words of `syntax` match at the start of `words`; 0 when they do not all match.
std::size_t matchLength(const FlagSyntax& syntax, std::span<const Token> words) {
    std::string_view expected = syntax.words;
    std::size_t count = 0;
    for (;; ++count) {
        const std::size_t space = expected.find(' ');
        if (count >= words.size() || words[count].quoted ||
            !EqualsIgnoringCase(words[count].text, expected.substr(0, space)))
            return 0;
        if (space == std::string_view::npos) return count + 1;
        expected.remove_prefix(space + 1);
    }
}

struct Match {
    const FlagSyntax* syntax = nullptr;
    std::size_t length = 0;
};

// The longest option at the start of `words`, so "window client" wins over "window".
Match longestMatch(Verb verb, std::span<const Token> words) {
    Match best;
    for (const FlagSyntax& syntax : FlagsOf(verb)) {
        const std::size_t length = matchLength(syntax, words);
        if (length > best.length) best = {&syntax, length};
    }
    return best;
}

struct Value {
    FlagValue value;
    std::size_t used = 0;
    ErrorCode error = err::kNone;
};

Value failed(ErrorCode error) {
    return {{}, 0, error};
}

Value readArea(std::span<const Token> words) {
    if (words.empty() || words[0].quoted || !EqualsIgnoringCase(words[0].text, "at")) return {};
    std::array<std::int64_t, 4> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto number = i + 1 < words.size() ? toInteger(words[i + 1]) : std::nullopt;
        if (!number) return failed(err::kBadInteger);
        numbers[i] = *number;
    }
    return {Rect{numbers[0], numbers[1], numbers[2], numbers[3]}, 5, err::kNone};
}

Value readValue(ValueKind kind, std::span<const Token> words) {
    switch (kind) {
        case ValueKind::None:
            return {};
        case ValueKind::Integer: {
            const auto number = words.empty() ? std::nullopt : toInteger(words[0]);
            if (!number) return failed(err::kBadInteger);
            return {*number, 1, err::kNone};
        }
        case ValueKind::Word:
            if (words.empty()) return failed(err::kMissingParameter);
            return {words[0].text, 1, err::kNone};
        case ValueKind::OptionalArea:
            return readArea(words);
    }
    return {};
}

}  // namespace

bool StartsFlag(Verb verb, const Token& word) {
    if (word.quoted) return false;
    return std::ranges::any_of(FlagsOf(verb), [&word](const FlagSyntax& syntax) {
        return EqualsIgnoringCase(word.text, syntax.words.substr(0, syntax.words.find(' ')));
    });
}

// "status x 4": a status item given by its number rather than its words.
std::optional<Flag> numberedStatusItem(Verb verb, const Token& word) {
    if (verb != Verb::Status || word.quoted) return std::nullopt;
    const auto number = toDecimal(word.text);
    return number ? StatusItemNumbered(*number) : std::nullopt;
}

ErrorCode ParseFlags(std::span<const Token> words, Command& command) {
    while (!words.empty()) {
        if (const auto item = numberedStatusItem(command.verb, words[0])) {
            if (command.Has(*item)) return err::kDuplicateFlags;
            command.flags[*item] = std::monostate{};
            words = words.subspan(1);
            continue;
        }
        const Match match = longestMatch(command.verb, words);
        if (!match.syntax) return err::kUnrecognizedKeyword;
        const Flag flag = match.syntax->flag;
        if (flag != Flag::Style && command.Has(flag)) return err::kDuplicateFlags;
        words = words.subspan(match.length);
        Value value = readValue(match.syntax->value, words);
        if (value.error != err::kNone) return value.error;
        words = words.subspan(value.used);
        if (flag == Flag::Style) command.styles.push_back(std::get<std::string>(value.value));
        command.flags[flag] = std::move(value.value);
    }
    return err::kNone;
}

}  // namespace mci
