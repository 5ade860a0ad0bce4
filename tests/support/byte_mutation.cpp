#include "tests/support/byte_mutation.h"

#include <algorithm>
#include <cstdlib>

namespace test_support {

std::string MutateBytes(std::string bytes, std::mt19937& random) {
    auto pick = [&](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size ? size - 1 : 0)(random);
    };
    const int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = pick(bytes.size());
        switch (random() % 5) {
            case 0:
                bytes[at] = char(bytes[at] ^ (1 << (random() % 8)));
                break;
            case 1:
                bytes[at] = char(random());
                break;
            case 2:
                bytes.resize(at);
                break;
            case 3:
                bytes.insert(at, std::string(1 + random() % 16, char(random())));
                break;
            default:
                for (std::size_t i = at; i < std::min(bytes.size(), at + 4); ++i)
                    bytes[i] = char(0xFF - (random() % 2));
                break;
        }
    }
    return bytes;
}

std::chrono::seconds FuzzSeconds(std::chrono::seconds bounded) {
    const char* asked = std::getenv("CORVALA_FUZZ_SECONDS");
    const long seconds = asked ? std::strtol(asked, nullptr, 10) : 0;
    return seconds > 0 ? std::chrono::seconds(seconds) : bounded;
}

}  // namespace test_support
