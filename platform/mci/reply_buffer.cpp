#include "platform/mci/reply_buffer.h"

#include <algorithm>

namespace mci {

void WriteReply(std::string_view text, char* buffer, std::uint32_t length) {
    if (!buffer || length == 0) return;
    const std::size_t count = std::min<std::size_t>(text.size(), length - 1);
    std::copy_n(text.data(), count, buffer);
    buffer[count] = '\0';
}

}  // namespace mci
