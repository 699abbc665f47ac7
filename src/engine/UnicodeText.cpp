// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UnicodeText.h"

#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "engine/Encoding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

CharInfo InfoFromIcu(char32_t cp) {
    CharInfo info;
    info.classes = ClassFromIcu(cp);
    const auto c = static_cast<UChar32>(cp);
    info.nfcInert = u_getCombiningClass(c) == 0 && u_getIntPropertyValue(c, UCHAR_NFC_QUICK_CHECK) == UNORM_YES;
    // ASCII is lower-cased apart; a capital sigma lowers to a final sigma at the end of a word, which only
    // ICU's mapping of the whole text sees.
    if (cp < 0x80 || cp == 0x3A3) return info;
    info.lower = static_cast<char16_t>(cp);
    if (!u_hasBinaryProperty(c, UCHAR_CHANGES_WHEN_LOWERCASED)) return info;
    std::string one, mapped;
    AppendUtf8(one, cp);
    FullLowerCase(one, mapped);
    char32_t result = 0;
    info.lower = mapped.size() == one.size() && NextCodePoint(mapped, 0, result) == one.size()
                     ? static_cast<char16_t>(result)
                     : char16_t{0};
    return info;
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

void BmpCharInfos::Fill(char32_t block) {
    static std::mutex filling;
    const std::lock_guard<std::mutex> lock(filling);
    if (m_ready[block].load(std::memory_order_relaxed)) return;
    for (char32_t cp = block << 8, end = cp + 0x100; cp < end; ++cp) m_infos[cp] = InfoFromIcu(cp);
    m_ready[block].store(true, std::memory_order_release);
}

BmpCharInfos& BmpCharInfo() {
    static BmpCharInfos table;
    return table;
}

const unsigned char* TwoByteLeadKinds() {
    static const std::vector<unsigned char> kinds = [] {
        std::vector<unsigned char> table(256, 0);
        BmpCharInfos& infos = BmpCharInfo();
        for (unsigned lead = 0xC2; lead < 0xE0; ++lead) {
            bool letters = true, others = true;
            for (char32_t cp = (lead & 0x1Fu) << 6, end = cp + 64; cp < end; ++cp) {
                letters = letters && infos[cp].classes == kLetterClass;
                others = others && infos[cp].classes == 0;
            }
            table[lead] = letters ? kTwoByteLetters : others ? kTwoByteOthers : 0;
        }
        return table;
    }();
    return kinds.data();
}

unsigned char CharClassOf(char32_t codePoint) {
    return codePoint < 0x10000 ? BmpCharInfo()[codePoint].classes : ClassFromIcu(codePoint);
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
    BmpCharInfos& infos = BmpCharInfo();
    auto* p = reinterpret_cast<unsigned char*>(text.data());
    const std::size_t n = text.size();
    char32_t cp = 0;
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            p[i++] = static_cast<unsigned char>(b + (static_cast<unsigned char>(b - 'A') < 26 ? 32 : 0));
            continue;
        }
        const std::size_t length = NextCodePoint(text, i, cp);
        const char16_t lower = length > 1 && cp < 0x10000 ? infos[cp].lower : char16_t{0};
        if (lower == 0) {
            // Lower-casing is the same whether or not the part before was lower-cased already.
            FullLowerCase(text, scratch);
            text.swap(scratch);
            return;
        }
        if (lower != cp) {
            if (length == 2) {
                p[i] = static_cast<unsigned char>(0xC0 | (lower >> 6));
            } else {
                p[i] = static_cast<unsigned char>(0xE0 | (lower >> 12));
                p[i + 1] = static_cast<unsigned char>(0x80 | ((lower >> 6) & 0x3F));
            }
            p[i + length - 1] = static_cast<unsigned char>(0x80 | (lower & 0x3F));
        }
        i += length;
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

namespace {

// Where the one pass over a line beyond ASCII stands.
struct LineState {
    std::size_t i = 0;
    bool replace = false;  // holds U+2019 or U+00A0
    bool mapped = true;    // lower-cased in place
};

// For each two-byte character (by its 11 bits), its bytes as one little-endian word once the line step has
// made them: lower-cased when `lowerCase`, else as they are; 0 when the character needs more than that (not
// inert under NFC, a lower case that ICU maps in context, U+00A0).
const std::uint16_t* TwoByteLineBytes(bool lowerCase) {
    static const auto tables = [] {
        std::vector<std::uint16_t> table(2 * 0x800, 0);
        BmpCharInfos& infos = BmpCharInfo();
        const auto bytes = [](char32_t c) {
            return static_cast<std::uint16_t>((0xC0 | (c >> 6)) | (0x80 | (c & 0x3F)) << 8);
        };
        for (char32_t cp = 0x80; cp < 0x800; ++cp) {
            const CharInfo& info = infos[cp];
            if (!info.nfcInert || cp == 0xA0) continue;
            table[cp] = bytes(cp);
            if (info.lower != 0) table[0x800 + cp] = bytes(info.lower);
        }
        return table;
    }();
    return tables.data() + (lowerCase ? 0x800 : 0);
}

#if defined(__SSE2__)
// The two-byte characters that the line step leaves as they are (already in lower case, inert under NFC): for
// each lead byte (by its low five bits), the widest range of second bytes after it that are such characters.
struct UnchangedPairs {
    unsigned char low[32];
    unsigned char high[32];

    explicit UnchangedPairs(const std::uint16_t* lineBytes) {
        for (int lead = 0xC0; lead < 0xE0; ++lead) {
            int widestLow = 0xFF, widestHigh = 0;
            for (int trail = 0x80, start = -1; trail <= 0xC0; ++trail) {
                const bool same = lead >= 0xC2 && trail < 0xC0 &&
                                  lineBytes[(lead & 0x1F) << 6 | (trail & 0x3F)] == (lead | trail << 8);
                if (same && start < 0) start = trail;
                if (!same && start >= 0) {
                    if (trail - start > widestHigh - widestLow + 1) {
                        widestLow = start;
                        widestHigh = trail - 1;
                    }
                    start = -1;
                }
            }
            low[lead & 0x1F] = static_cast<unsigned char>(widestLow);
            high[lead & 0x1F] = static_cast<unsigned char>(widestHigh);
        }
    }
    // The lanes of `v` that lead such a character after `lead` (even) or the byte after it (a script's letters
    // lie under one or two lead bytes), whose second bytes are the lanes of `next`.
    unsigned Leads(__m128i v, __m128i next, unsigned lead) const {
        __m128i lanes = _mm_setzero_si128();
        for (unsigned k = 0; k < 2; ++k) {
            const unsigned index = (lead + k) & 0x1F;
            const __m128i low = _mm_set1_epi8(static_cast<char>(this->low[index]));
            const __m128i high = _mm_set1_epi8(static_cast<char>(this->high[index]));
            lanes = _mm_or_si128(lanes, _mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(lead + k))),
                                                      _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(next, low), next),
                                                                    _mm_cmpeq_epi8(_mm_min_epu8(next, high), next))));
        }
        return static_cast<unsigned>(_mm_movemask_epi8(lanes));
    }
};

const UnchangedPairs& UnchangedPairsOf(bool lowerCase) {
    static const UnchangedPairs lowered(TwoByteLineBytes(true));
    static const UnchangedPairs kept(TwoByteLineBytes(false));
    return lowerCase ? lowered : kept;
}

// A block of ASCII and whole two-byte sequences (most of a Greek or Cyrillic text) goes from character
// to character beyond ASCII without a test of each byte, and the characters it leaves as they are, under the
// pair of lead bytes of the block's first, are found for the whole block at once. Returns false, with `state.i` at the
// character, at a character the block step cannot take.
bool StepTwoByteBlock(unsigned char* p, std::size_t size, const std::uint16_t* lineBytes,
                      const UnchangedPairs& unchanged, LineState& state) {
    std::size_t& i = state.i;
    if (i + 16 <= size) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
        if (high == 0) {
            i += 16;
            return true;
        }
        const auto leads = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(static_cast<char>(0xC1))),
                                            _mm_cmplt_epi8(block, _mm_set1_epi8(static_cast<char>(0xE0))))));
        const auto continuations =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(block, _mm_set1_epi8(static_cast<char>(0xC0)))));
        // A lead byte in the last place is left to the next block.
        if ((high & ~(leads | continuations)) == 0 && continuations == ((leads << 1) & 0xFFFF)) {
            // The byte after the block is within the string: at most its terminating zero.
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
            const unsigned firstLead = p[i + static_cast<std::size_t>(__builtin_ctz(leads | 0x8000))] & ~1u;
            for (unsigned m = leads & 0x7FFF & ~unchanged.Leads(block, next, firstLead); m != 0; m &= m - 1) {
                const std::size_t k = i + static_cast<std::size_t>(__builtin_ctz(m));
                std::uint16_t pair;
                std::memcpy(&pair, p + k, 2);
                const std::uint16_t made = lineBytes[(pair & 0x1Fu) << 6 | (pair >> 8 & 0x3Fu)];
                if (made == 0) {
                    i = k;
                    return false;
                }
                std::memcpy(p + k, &made, 2);
            }
            i += (leads >> 15) != 0 ? 15 : 16;
            return true;
        }
    }
    return false;
}
#endif

void ReplaceTypographicSpaces(std::string& line) {
    // U+2019 (E2 80 99) becomes "'", U+00A0 (C2 A0) a space.
    std::size_t write = 0;
    for (std::size_t read = 0; read < line.size();) {
        const char c = line[read];
        if (c == '\xE2' && read + 2 < line.size() && line[read + 1] == '\x80' && line[read + 2] == '\x99') {
            line[write++] = '\'';
            read += 3;
        } else if (c == '\xC2' && read + 1 < line.size() && line[read + 1] == '\xA0') {
            line[write++] = ' ';
            read += 2;
        } else {
            line[write++] = line[read++];
        }
    }
    line.resize(write);
}

}  // namespace

#if defined(__SSE2__)
// The last bytes of a line, fewer than a block, take the block step in a copy padded with spaces. True when
// it took them all; otherwise `state.i` moves to the character the block step cannot take.
inline bool StepLineTail(unsigned char* p, std::size_t size, const std::uint16_t* lineBytes,
                         const UnchangedPairs& unchanged, LineState& state) {
    const std::size_t rest = size - state.i;
    unsigned char tail[40];
    std::memset(tail, ' ', sizeof tail);
    std::memcpy(tail, p + state.i, rest);
    LineState tailState;
    const bool whole = StepTwoByteBlock(tail, 16, lineBytes, unchanged, tailState);
    std::memcpy(p + state.i, tail, rest);
    state.i = whole ? size : state.i + tailState.i;
    return whole;
}
#endif

void PrepareUnicodeLine(std::string& line, bool lowerCase, std::string& scratch) {
    // Most lines need ICU for nothing: one pass finds that their characters are all inert under NFC and lowers
    // them in place.
    BmpCharInfos& infos = BmpCharInfo();
    auto* p = reinterpret_cast<unsigned char*>(line.data());
    const std::size_t size = line.size();
    LineState state;
    std::size_t& i = state.i;
    bool& replace = state.replace;
    bool& mapped = state.mapped;
    char32_t cp = 0;
#if defined(__SSE2__)
    const std::uint16_t* const lineBytes = TwoByteLineBytes(lowerCase);
    const UnchangedPairs& unchanged = UnchangedPairsOf(lowerCase);
#endif
    while (i < size) {
#if defined(__SSE2__)
        if (StepTwoByteBlock(p, size, lineBytes, unchanged, state)) continue;
        if (i + 16 > size && StepLineTail(p, size, lineBytes, unchanged, state)) continue;
#endif
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = NextCodePoint(line, i, cp);
        if (cp >= 0x10000 || !infos[cp].nfcInert) break;
        replace = replace || cp == 0x2019 || cp == 0xA0;
        const char16_t lower = infos[cp].lower;
        if (lowerCase && lower != cp) {
            mapped = mapped && lower != 0;
            if (length == 2 && lower != 0) {
                p[i] = static_cast<unsigned char>(0xC0 | (lower >> 6));
                p[i + 1] = static_cast<unsigned char>(0x80 | (lower & 0x3F));
            } else if (length == 3 && lower != 0) {
                p[i] = static_cast<unsigned char>(0xE0 | (lower >> 12));
                p[i + 1] = static_cast<unsigned char>(0x80 | ((lower >> 6) & 0x3F));
                p[i + 2] = static_cast<unsigned char>(0x80 | (lower & 0x3F));
            }
        }
        i += length;
    }
    if (i < size) {
        // A character NFC may change: NFC, then the lower case, of the whole line (lower-casing before NFC gives
        // the same text, as the case mappings keep canonical equivalence).
        NormaliseToNfc(line, scratch);
        if (lowerCase) FullLowerCaseInPlace(line, scratch);
        replace = line.find("\xE2\x80\x99") != std::string::npos || line.find("\xC2\xA0") != std::string::npos;
    } else if (!mapped) {
        FullLowerCase(line, scratch);
        line.swap(scratch);
    }
    if (replace) ReplaceTypographicSpaces(line);
}

}  // namespace vesk
