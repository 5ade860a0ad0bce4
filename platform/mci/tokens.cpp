#include "platform/mci/tokens.h"

#include <algorithm>

namespace mci {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A quote opens a stretch only where a value begins: at the start of a word, or after the
// "!" of "type!element". Elsewhere it is an ordinary character of a name.
bool opensQuote(std::string_view text, std::size_t wordBegin, std::size_t at) {
    return at == wordBegin || text[at - 1] == '!';
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        if (isSpace(text[at])) {
            ++at;
            continue;
        }
        Token token;
        token.begin = at;
        bool inQuotes = false;
        for (; at < text.size() && (inQuotes || !isSpace(text[at])); ++at) {
            if (text[at] == '"' && (inQuotes || opensQuote(text, token.begin, at))) {
                inQuotes = !inQuotes;
                token.quoted = true;
            } else {
                token.text += text[at];
            }
        }
        token.end = at;
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string ToLower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), lowerAscii);
    return lower;
}

}  // namespace mci
