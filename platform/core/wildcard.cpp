#include "platform/core/ignoring_case.h"
#include "platform/drives.h"

namespace drives {

namespace {

bool matchFrom(const std::u32string& pattern, std::size_t p, const std::u32string& name,
               std::size_t n) {
    // Iterative match with one back-tracking point for the last '*': linear in practice,
    // never exponential on patterns like "*a*a*a*b".
    std::size_t starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    // "*.*" matches names without a dot too, as it does on Windows.
    if (pattern == "*.*") return true;
    return matchFrom(text::Folded(pattern), 0, text::Folded(name), 0);
}

}  // namespace drives
