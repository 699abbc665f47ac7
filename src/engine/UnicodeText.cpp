// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UnicodeText.h"

#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "engine/Encoding.h"

namespace vesk {

namespace {

unsigned char ClassFromIcu(char32_t cp) {
    if (cp < 0x80) {
        const char32_t folded = cp | 0x20;
        if (folded >= 'a' && folded <= 'z') return kLetterClass;
        return cp >= '0' && cp <= '9' ? kDigitClass : 0;
    }
    // Below U+0100 the letters are those of Latin-1 (not ª, º or µ).
    if (cp < 0x100) return cp >= 0xC0 && cp != 0xD7 && cp != 0xF7 ? kLetterClass : 0;
    const auto c = static_cast<UChar32>(cp);
    const std::uint32_t category = U_GET_GC_MASK(c);
    if ((category & U_GC_ND_MASK) != 0) return kDigitClass;
    if ((category & (U_GC_L_MASK | U_GC_M_MASK)) == 0) return 0;
    if ((category & U_GC_L_MASK) == 0) return kLetterClass;
    UErrorCode status = U_ZERO_ERROR;
    switch (uscript_getScript(c, &status)) {
        case USCRIPT_HAN:
        case USCRIPT_HIRAGANA:
        case USCRIPT_KATAKANA:
        case USCRIPT_THAI:
        case USCRIPT_LAO:
        case USCRIPT_KHMER:
        case USCRIPT_MYANMAR:
            return kLetterClass | kDictionaryClass;
        default:
            return kLetterClass;
    }
}

// The classes of the Basic Multilingual Plane, asked of ICU once: nearly every character of a text is there.
const std::vector<unsigned char>& BmpClasses() {
    static const std::vector<unsigned char> classes = [] {
        std::vector<unsigned char> table(0x10000);
        for (char32_t cp = 0; cp < 0x10000; ++cp) table[cp] = ClassFromIcu(cp);
        return table;
    }();
    return classes;
}

// The full lower case of each character of two UTF-8 bytes (U+0080 to U+07FF) when it is again one character
// of two bytes that no context changes; 0 when ICU must map the text. The scripts of two-byte characters
// (Latin, Greek, Cyrillic, Armenian, Hebrew, Arabic) are then lower-cased in place.
const std::array<char16_t, 0x800>& TwoByteLowerCase() {
    static const std::array<char16_t, 0x800> table = [] {
        std::array<char16_t, 0x800> lower{};
        for (char32_t cp = 0x80; cp < 0x800; ++cp) {
            // Capital sigma lowers to a final sigma at the end of a word.
            if (cp == 0x3A3) continue;
            std::string one, mapped;
            AppendUtf8(one, cp);
            FullLowerCase(one, mapped);
            char32_t result = 0;
            if (mapped.size() == 2 && NextCodePoint(mapped, 0, result) == 2) lower[cp] = static_cast<char16_t>(result);
        }
        return lower;
    }();
    return table;
}

const icu::Normalizer2& Nfc() {
    static const icu::Normalizer2* const nfc = [] {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Normalizer2* instance = icu::Normalizer2::getNFCInstance(status);
        if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU normalisation: ") + u_errorName(status));
        return instance;
    }();
    return *nfc;
}

void Check(UErrorCode status, const char* what) {
    if (U_FAILURE(status)) throw std::runtime_error(std::string(what) + ": " + u_errorName(status));
}

}  // namespace

unsigned char CharClassOf(char32_t codePoint) {
    return codePoint < 0x10000 ? BmpClasses()[codePoint] : ClassFromIcu(codePoint);
}

std::size_t NextCodePoint(std::string_view text, std::size_t pos, char32_t& codePoint) {
    const auto b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80) {
        codePoint = b;
        return 1;
    }
    const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
    auto i = static_cast<std::int32_t>(pos);
    UChar32 c = 0;
    U8_NEXT(s, i, static_cast<std::int32_t>(text.size()), c);
    if (c < 0) {
        codePoint = kReplacementCharacter;
        return 1;
    }
    codePoint = static_cast<char32_t>(c);
    return static_cast<std::size_t>(i) - pos;
}

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size(); ++count) i += NextCodePoint(text, i, cp);
    return count;
}

std::size_t OffsetOfCodePoint(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    char32_t cp = 0;
    for (; i < text.size() && count > 0; --count) i += NextCodePoint(text, i, cp);
    return i;
}

char32_t SimpleLower(char32_t codePoint) {
    if (codePoint < 0x80) return codePoint >= 'A' && codePoint <= 'Z' ? codePoint + 32 : codePoint;
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(codePoint)));
}

void FullLowerCase(std::string_view text, std::string& out) {
    out.clear();
    icu::StringByteSink<std::string> sink(&out, static_cast<std::int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::CaseMap::utf8ToLower("", 0, icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())), sink,
                              nullptr, status);
    Check(status, "ICU lower case");
}

void FullUpperCase(std::string_view text, std::string& out) {
    out.clear();
    icu::StringByteSink<std::string> sink(&out, static_cast<std::int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::CaseMap::utf8ToUpper("", 0, icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())), sink,
                              nullptr, status);
    Check(status, "ICU upper case");
}

void FullLowerCaseInPlace(std::string& text, std::string& scratch) {
    const auto& twoByte = TwoByteLowerCase();
    auto* p = reinterpret_cast<unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            p[i++] = static_cast<unsigned char>(b + (static_cast<unsigned char>(b - 'A') < 26 ? 32 : 0));
            continue;
        }
        if (b >= 0xC2 && b < 0xE0 && i + 1 < n && (p[i + 1] & 0xC0) == 0x80) {
            const char16_t lower = twoByte[((b & 0x1Fu) << 6) | (p[i + 1] & 0x3Fu)];
            if (lower != 0) {
                p[i] = static_cast<unsigned char>(0xC0 | (lower >> 6));
                p[i + 1] = static_cast<unsigned char>(0x80 | (lower & 0x3F));
                i += 2;
                continue;
            }
        }
        // Lower-casing is the same whether or not the part before was lower-cased already.
        FullLowerCase(text, scratch);
        text.swap(scratch);
        return;
    }
}

void NormaliseToNfc(std::string& text, std::string& scratch) {
    const icu::Normalizer2& nfc = Nfc();
    const icu::StringPiece piece(text.data(), static_cast<std::int32_t>(text.size()));
    UErrorCode status = U_ZERO_ERROR;
    if (nfc.isNormalizedUTF8(piece, status) && U_SUCCESS(status)) return;
    status = U_ZERO_ERROR;
    scratch.clear();
    icu::StringByteSink<std::string> sink(&scratch, static_cast<std::int32_t>(text.size()));
    nfc.normalizeUTF8(0, piece, sink, nullptr, status);
    Check(status, "ICU normalisation");
    text.swap(scratch);
}

void PrepareUnicodeLine(std::string& line, bool lowerCase, std::string& scratch) {
    NormaliseToNfc(line, scratch);
    if (lowerCase) FullLowerCaseInPlace(line, scratch);
    // U+2019 (E2 80 99) becomes "'", U+00A0 (C2 A0) a space.
    std::size_t write = 0;
    const std::size_t size = line.size();
    for (std::size_t read = 0; read < size;) {
        const char c = line[read];
        if (c == '\xE2' && read + 2 < size && line[read + 1] == '\x80' && line[read + 2] == '\x99') {
            line[write++] = '\'';
            read += 3;
        } else if (c == '\xC2' && read + 1 < size && line[read + 1] == '\xA0') {
            line[write++] = ' ';
            read += 2;
        } else {
            line[write++] = line[read++];
        }
    }
    line.resize(write);
}

}  // namespace vesk
