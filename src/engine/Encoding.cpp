// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesk {

namespace {

// Unicode of the Windows-1252 codes 0x80..0x9F; the undefined ones keep their C1 code point.
constexpr std::array<char32_t, 32> kHighTable = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

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

void AppendCp1252AsUtf8(std::string& out, std::string_view text) {
    while (!text.empty()) {
        const std::size_t plain = FirstNonAscii(text);
        out.append(text.data(), plain);
        if (plain == text.size()) break;
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(text[plain])));
        text.remove_prefix(plain + 1);
    }
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    AppendCp1252AsUtf8(out, text);
    return out;
}

std::size_t Utf8Length(std::string_view text) {
    // Counts the continuation bytes (10xxxxxx) eight at a time; a listing measures every word it pads.
    std::size_t continuations = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t block;
        std::memcpy(&block, text.data() + i, sizeof block);
        continuations += static_cast<std::size_t>(std::popcount(block & ~(block << 1) & 0x8080808080808080ULL));
    }
    for (; i < text.size(); ++i) continuations += (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80 ? 1 : 0;
    return text.size() - continuations;
}

namespace {

// The index past the one well-formed sequence at `i`, or `i` when the bytes there are ill-formed.
inline std::size_t PastSequence(const unsigned char* p, std::size_t n, std::size_t i) {
    const unsigned b0 = p[i];
    if (b0 < 0x80) return i + 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) return i + 1 < n && (p[i + 1] & 0xC0) == 0x80 ? i + 2 : i;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (i + 2 >= n) return i;
        // No overlong forms (E0 80..9F) and no surrogates (ED A0..BF).
        const unsigned b1 = p[i + 1];
        const unsigned low = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = b0 == 0xED ? 0x9F : 0xBF;
        return b1 < low || b1 > high || (p[i + 2] & 0xC0) != 0x80 ? i : i + 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (i + 3 >= n) return i;
        // No overlong forms (F0 80..8F) and nothing past U+10FFFF (F4 90..BF).
        const unsigned b1 = p[i + 1];
        const unsigned low = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned high = b0 == 0xF4 ? 0x8F : 0xBF;
        return b1 < low || b1 > high || (p[i + 2] & 0xC0) != 0x80 || (p[i + 3] & 0xC0) != 0x80 ? i : i + 4;
    }
    return i;
}

// Length of the longest well-formed UTF-8 prefix of `text`. Blocks of 16 bytes holding only ASCII and
// two-byte sequences (Latin, Greek, Cyrillic, ...) are checked at once; the rest sequence by sequence.
std::size_t WellFormedUtf8Prefix(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
#if defined(__SSE2__)
        // The lead bytes C2..DF and the continuation bytes 80..BF, compared as signed bytes.
        const __m128i afterC1 = _mm_set1_epi8(static_cast<char>(0xC1));
        const __m128i beforeE0 = _mm_set1_epi8(static_cast<char>(0xE0));
        const __m128i beforeC0 = _mm_set1_epi8(static_cast<char>(0xC0));
        unsigned carry = 0;  // the last block ended in a lead byte
        for (; i + 16 <= n; i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const auto high = static_cast<unsigned>(_mm_movemask_epi8(block));
            const auto leads = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(block, afterC1), _mm_cmplt_epi8(block, beforeE0))));
            const auto continuations = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(block, beforeC0)));
            if ((high & ~(leads | continuations)) != 0 || continuations != (((leads << 1) | carry) & 0xFFFF)) break;
            carry = leads >> 15;
        }
        // A sequence cut by the end of the blocks is checked from its lead byte.
        i -= carry;
        const std::size_t until = std::min(n, i + 16);
#else
        const std::size_t until = n;
#endif
        while (i < until) {
            const std::size_t next = PastSequence(p, n, i);
            if (next == i) return i;
            i = next;
        }
    }
    return n;
}

}  // namespace

bool IsValidUtf8(std::string_view text) { return WellFormedUtf8Prefix(text) == text.size(); }

void ReplaceIllFormedUtf8(std::string& text, std::string& scratch) {
    const std::string_view view(text);
    std::size_t i = WellFormedUtf8Prefix(view);
    // Most lines are well-formed: nothing is copied until an ill-formed byte turns up.
    if (i >= view.size()) return;
    scratch.assign(view.substr(0, i));
    while (i < view.size()) {
        scratch += kReplacementUtf8;
        ++i;
        const std::size_t good = WellFormedUtf8Prefix(view.substr(i));
        scratch.append(view.substr(i, good));
        i += good;
    }
    text.swap(scratch);
}

// ---- Decoding files ----

namespace {

// Code units of UTF-16 to UTF-8, a surrogate pair whole, an unpaired surrogate as U+FFFD.
class Utf16Units {
  public:
    void Put(char16_t unit, std::string& out) {
        if (m_lead != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(m_lead) - 0xD800) << 10) + (unit - 0xDC00));
                m_lead = 0;
                return;
            }
            out += kReplacementUtf8;
            m_lead = 0;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            m_lead = unit;
        else if (unit >= 0xDC00 && unit <= 0xDFFF)
            out += kReplacementUtf8;
        else
            AppendUtf8(out, unit);
    }
    void Finish(std::string& out) {
        if (m_lead != 0) out += kReplacementUtf8;
        m_lead = 0;
    }

  private:
    char16_t m_lead = 0;
};

class Utf16Decoder : public StreamDecoder {
  public:
    explicit Utf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    void Decode(std::string_view bytes, bool last, std::string& out) override {
        out.reserve(out.size() + bytes.size() + bytes.size() / 2);
        for (const char c : bytes) {
            if (!m_haveOdd) {
                m_odd = static_cast<unsigned char>(c);
                m_haveOdd = true;
                continue;
            }
            const auto second = static_cast<unsigned char>(c);
            m_haveOdd = false;
            const auto unit = static_cast<char16_t>(m_bigEndian ? (m_odd << 8) | second : (second << 8) | m_odd);
            m_units.Put(unit, out);
        }
        if (!last) return;
        m_units.Finish(out);
        if (m_haveOdd) out += kReplacementUtf8;
        m_haveOdd = false;
    }

  private:
    bool m_bigEndian;
    bool m_haveOdd = false;
    unsigned m_odd = 0;
    Utf16Units m_units;
};

// Every byte sequence a converter cannot map becomes U+FFFD, never the SUB control some code pages give
// (which would make the file look like no text).
void SubstituteReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                           UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    static const UChar kReplacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

class ConverterDecoder : public StreamDecoder {
  public:
    explicit ConverterDecoder(UConverter* converter) : m_converter(converter) {
        UErrorCode error = U_ZERO_ERROR;
        ucnv_setToUCallBack(m_converter, SubstituteReplacement, nullptr, nullptr, nullptr, &error);
    }
    ~ConverterDecoder() override { ucnv_close(m_converter); }
    ConverterDecoder(const ConverterDecoder&) = delete;
    ConverterDecoder& operator=(const ConverterDecoder&) = delete;

    void Decode(std::string_view bytes, bool last, std::string& out) override {
        const char* source = bytes.data();
        const char* const sourceEnd = source + bytes.size();
        for (;;) {
            UChar* target = m_units.data();
            UErrorCode error = U_ZERO_ERROR;
            ucnv_toUnicode(m_converter, &target, m_units.data() + m_units.size(), &source, sourceEnd, nullptr, last,
                           &error);
            for (const UChar* p = m_units.data(); p < target; ++p) m_utf16.Put(*p, out);
            if (error != U_BUFFER_OVERFLOW_ERROR) break;
        }
        if (last) m_utf16.Finish(out);
    }

  private:
    UConverter* m_converter;
    std::array<UChar, 4096> m_units{};
    Utf16Units m_utf16;
};

UConverter* OpenConverter(std::string_view name) {
    // An empty name would open the system's default converter.
    if (name.empty() || name.size() > 100) return nullptr;
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(std::string(name).c_str(), &error);
    if (U_FAILURE(error)) return nullptr;
    return converter;
}

}  // namespace

bool EncodingOfName(std::string_view name, InputEncoding& encoding) {
    if (name.empty()) {
        encoding = InputEncoding{};
        return true;
    }
    UConverter* converter = OpenConverter(name);
    if (converter == nullptr) return false;
    UErrorCode error = U_ZERO_ERROR;
    const std::string canonical = ucnv_getName(converter, &error);
    ucnv_close(converter);
    // Encodings the program reads itself, faster and with its own rules for ill-formed bytes.
    static const std::array<std::pair<const char*, ByteEncoding>, 4> kOwn = {{
        {"UTF-8", ByteEncoding::Utf8},
        {"ibm-5348_P100-1997", ByteEncoding::Cp1252},
        {"UTF-16LE", ByteEncoding::Utf16Le},
        {"UTF-16BE", ByteEncoding::Utf16Be},
    }};
    encoding = InputEncoding{ByteEncoding::Converter, canonical};
    for (const auto& [own, kind] : kOwn)
        if (canonical == own) encoding = InputEncoding{kind, {}};
    return true;
}

DecodingPlan PlanDecoding(std::string_view first, const InputEncoding& encoding) {
    const bool utf8Mark = first.starts_with("\xEF\xBB\xBF");
    switch (encoding.kind) {
        case ByteEncoding::Detect:
            if (utf8Mark) return {ByteEncoding::Utf8, 3};
            if (first.starts_with("\xFF\xFE")) return {ByteEncoding::Utf16Le, 2};
            if (first.starts_with("\xFE\xFF")) return {ByteEncoding::Utf16Be, 2};
            return {ByteEncoding::Detect, 0};
        case ByteEncoding::Utf8:
            return {ByteEncoding::Utf8, utf8Mark ? 3u : 0u};
        case ByteEncoding::Utf16Le:
            return {encoding.kind, first.starts_with("\xFF\xFE") ? 2u : 0u};
        case ByteEncoding::Utf16Be:
            return {encoding.kind, first.starts_with("\xFE\xFF") ? 2u : 0u};
        case ByteEncoding::Cp1252:
        case ByteEncoding::Converter:
            break;
    }
    return {encoding.kind, 0};
}

std::unique_ptr<StreamDecoder> MakeStreamDecoder(ByteEncoding kind, const std::string& converter) {
    switch (kind) {
        case ByteEncoding::Utf16Le:
        case ByteEncoding::Utf16Be:
            return std::make_unique<Utf16Decoder>(kind == ByteEncoding::Utf16Be);
        case ByteEncoding::Converter:
            if (UConverter* opened = OpenConverter(converter)) return std::make_unique<ConverterDecoder>(opened);
            return nullptr;
        case ByteEncoding::Detect:
        case ByteEncoding::Utf8:
        case ByteEncoding::Cp1252:
            break;
    }
    return nullptr;
}

}  // namespace vesk
