// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace vesk {

namespace {

// Unicode of the Windows-1252 codes 0x80..0x9F; the undefined ones keep their C1 code point.
constexpr std::array<char32_t, 32> kHighTable = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

namespace {

// Index of the first byte from 128 up, or text.size(); eight bytes at a time, as most text is ASCII.
std::size_t FirstNonAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, text.data() + i, 8);
        if ((v & 0x8080808080808080ull) != 0) break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 128) ++i;
    return i;
}

}  // namespace

std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint) {
    if (text.empty()) return 0;
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80) {
        codePoint = b0;
        return 1;
    }
    std::size_t len;
    char32_t cp;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    codePoint = cp;
    return len;
}

char32_t Cp1252ToUnicode(unsigned char code) {
    if (code >= 0x80 && code <= 0x9F) return kHighTable[code - 0x80];
    return code;
}

int UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    // The five undefined codes stand for the C1 controls of their numbers (as Windows decodes them), so that
    // a text holding them is written and read back unchanged.
    for (std::size_t k = 0; k < kHighTable.size(); ++k)
        if (kHighTable[k] == cp) return static_cast<int>(0x80 + k);
    return -1;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

void Utf8ToCp1252InPlace(std::string& text) {
    std::size_t read = FirstNonAscii(text);
    std::size_t write = read;
    const std::string_view view(text);
    while (read < view.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(view.substr(read), cp);
        if (len == 0) {
            text[write++] = kUnmappableByte;
            ++read;
            continue;
        }
        const int code = cp < 0x80 ? static_cast<int>(cp) : UnicodeToCp1252(cp);
        text[write++] = code < 0 ? kUnmappableByte : static_cast<char>(code);
        read += len;
    }
    text.resize(write);
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out(text);
    Utf8ToCp1252InPlace(out);
    return out;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = FirstNonAscii(text); i < text.size();) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(text.substr(i), cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

}  // namespace vesk
