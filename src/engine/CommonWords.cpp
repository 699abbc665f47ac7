#include "engine/CommonWords.h"

#include <algorithm>

namespace vesk {

bool IsPlainText(std::string_view text, std::size_t limit) {
    const std::string_view examined = text.substr(0, std::min(limit, text.size()));
    for (char c : examined) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 32 && b != 9 && b != 10 && b != 13) return false;
    }
    return true;
}

}  // namespace vesk
