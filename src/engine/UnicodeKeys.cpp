// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UnicodeKeys.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <utility>

#include "engine/Encoding.h"

namespace vesk {

namespace {

// ---- Below U+0100: the tables of the Western letters, as they have always been ----

// Two-letter forms Ä Æ Ö Ü ä æ ö ü ß (Œ lies above U+00FF).
constexpr std::string_view kTwoLetterSource = "\xC4\xC6\xD6\xDC\xE4\xE6\xF6\xFC\xDF";
constexpr std::string_view kTwoLetterReplacement = "AeAeOeUeaeaeoeuess";
// À-Å Ç È-Ë Ì-Ï Ð Ñ Ò-Ö Ø Ù-Ü Ý ÿ à-å ç è-ë ì-ï ñ ò-ö ø ù-ü ý (Š Ÿ š lie above U+00FF).
constexpr std::string_view kSingleLetterSource =
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC"
    "\xDD\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB"
    "\xFC\xFD";
constexpr std::string_view kSingleLetterReplacement = "AAAAAACEEEEIIIIDNOOOOOOUUUUYyaaaaaaceeeeiiiinoooooouuuuy";
static_assert(kSingleLetterSource.size() == kSingleLetterReplacement.size());
static_assert(kTwoLetterReplacement.size() == 2 * kTwoLetterSource.size());
// A E I O U a e i o u À-Æ È-Ï Ò-Ö Ø Ù-Ü à-æ è-ï ò-ö ø ù-ü, and y Y.
constexpr std::string_view kVowels =
    "AEIOUaeiouYy\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB"
    "\xDC\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC";

// The lower case of the Western letters: A-Z and À-Þ but ×.
constexpr char32_t WesternLower(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 32 : c;
}

bool IsLatinGreekOrCyrillicLetter(char32_t c) {
    if ((U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_L_MASK) == 0) return false;
    UErrorCode error = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &error);
    return script == USCRIPT_LATIN || script == USCRIPT_GREEK || script == USCRIPT_CYRILLIC;
}

struct Latin1Key {
    char bytes[2];  // the key in UTF-8
    unsigned char length;
    bool identity;
    bool latinLetter;  // a mark that follows it folds away
    bool vowel;
};

struct Latin1Table {
    std::array<Latin1Key, 256> keys{};
    // The keys of bytes that are not UTF-8, read as Windows-1252 and keyed as that code page's bytes.
    std::array<Latin1Key, 256> legacy{};
    Latin1Table() {
        for (char32_t c = 0; c < 256; ++c) {
            std::u32string folded(1, c);
            const auto byte = static_cast<char>(c);
            if (c >= 0xA0) {
                if (const auto two = kTwoLetterSource.find(byte); two != std::string_view::npos)
                    folded.assign({static_cast<char32_t>(kTwoLetterReplacement[2 * two]),
                                   static_cast<char32_t>(kTwoLetterReplacement[2 * two + 1])});
                else if (const auto one = kSingleLetterSource.find(byte); one != std::string_view::npos)
                    folded.assign(1, static_cast<char32_t>(kSingleLetterReplacement[one]));
            }
            std::string key;
            for (char32_t f : folded) AppendUtf8(key, WesternLower(f));
            Latin1Key& entry = keys[c];
            entry.length = static_cast<unsigned char>(key.size());
            for (std::size_t i = 0; i < key.size(); ++i) entry.bytes[i] = key[i];
            entry.identity = folded.size() == 1 && WesternLower(folded[0]) == c;
            entry.latinLetter = IsLatinGreekOrCyrillicLetter(c);
            entry.vowel = kVowels.find(byte) != std::string_view::npos;
            Latin1Key& old = legacy[c];
            old.length = 0;
            for (char32_t f : folded) old.bytes[old.length++] = static_cast<char>(WesternLower(f));
        }
        for (auto [code, key] : {std::pair{0x8A, "s"}, {0x8C, "oe"}, {0x9A, "s"}, {0x9F, "y"}}) {
            legacy[code].length = static_cast<unsigned char>(std::char_traits<char>::length(key));
            for (unsigned char k = 0; k < legacy[code].length; ++k) legacy[code].bytes[k] = key[k];
        }
    }
};

const Latin1Table kLatin1;

inline const Latin1Table& Latin1() { return kLatin1; }

inline bool IsAsciiUpper(unsigned char b) { return static_cast<unsigned char>(b - 'A') < 26; }

// ---- From U+0100 up: ICU's decompositions, scripts and case folding ----

// The most characters the accent folding of one character gives.
constexpr int kMaxFolded = 8;

const UNormalizer2* Nfd() {
    static const UNormalizer2* const nfd = [] {
        UErrorCode error = U_ZERO_ERROR;
        return unorm2_getNFDInstance(&error);
    }();
    return nfd;
}

bool IsNonspacingMark(char32_t c) { return u_charType(static_cast<UChar32>(c)) == U_NON_SPACING_MARK; }

char32_t SimpleFold(char32_t c) {
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

// The accent-folded form of a character from U+0100 up that is not a nonspacing mark: the Western letters
// above U+00FF of the old tables, the few letters without a decomposition, else the canonical decomposition
// without its nonspacing marks where it begins with a Latin, Greek or Cyrillic letter; else the character.
// Returns the number of characters written to `out`.
int AccentFold(char32_t c, char32_t (&out)[kMaxFolded]) {
    const auto give = [&out](std::u32string_view folded) {
        for (std::size_t i = 0; i < folded.size(); ++i) out[i] = folded[i];
        return static_cast<int>(folded.size());
    };
    switch (c) {
        case 0x0152:  // Œ
            return give(U"Oe");
        case 0x0160:  // Š
            return give(U"S");
        case 0x0161:  // š
            return give(U"s");
        case 0x0178:  // Ÿ
            return give(U"Y");
        case 0x0141:  // Ł
            return give(U"L");
        case 0x0142:  // ł
            return give(U"l");
        case 0x0110:  // Đ
            return give(U"D");
        case 0x0111:  // đ
            return give(U"d");
        case 0x0131:  // ı
            return give(U"i");
        case 0x0153:  // œ
            return give(U"oe");
        case 0x1E9E:  // ẞ
            return give(U"SS");
        default:
            break;
    }
    UChar decomposition[32];
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = unorm2_getDecomposition(Nfd(), static_cast<UChar32>(c), decomposition, 32, &error);
    out[0] = c;
    if (U_FAILURE(error) || length <= 0) return 1;
    UChar32 first = 0;
    int32_t i = 0;
    U16_NEXT(decomposition, i, length, first);
    if (!IsLatinGreekOrCyrillicLetter(static_cast<char32_t>(first))) return 1;
    int n = 0;
    for (i = 0; i < length && n < kMaxFolded;) {
        UChar32 part = 0;
        U16_NEXT(decomposition, i, length, part);
        if (!IsNonspacingMark(static_cast<char32_t>(part))) out[n++] = static_cast<char32_t>(part);
    }
    return n;
}

// What the key needs to know of one character from U+0100 up, in one value: its folding when that is a
// single character, whether it is a nonspacing mark, and whether it is a Latin, Greek or Cyrillic letter.
constexpr std::uint32_t kFoldedMask = 0x1FFFFF;
constexpr std::uint32_t kLetterOfLgc = 1u << 24;
constexpr std::uint32_t kMark = 1u << 25;
constexpr std::uint32_t kSeveral = 1u << 26;   // the folding has more than one character
constexpr std::uint32_t kIdentity = 1u << 27;  // the folding is the character itself
constexpr std::uint32_t kKnown = 1u << 31;

std::uint32_t ComputeInfo(char32_t c) {
    std::uint32_t info = kKnown;
    char32_t folded = 0;
    if (IsNonspacingMark(c)) {
        info |= kMark;
        folded = SimpleFold(c);
    } else {
        if (IsLatinGreekOrCyrillicLetter(c)) info |= kLetterOfLgc;
        char32_t parts[kMaxFolded];
        if (AccentFold(c, parts) != 1) return info | kSeveral;
        folded = SimpleFold(parts[0]);
    }
    return info | folded | (folded == c ? kIdentity : 0);
}

// The answers for the Basic Multilingual Plane, filled in as characters are met: a text uses few of them,
// and the untouched part of the array costs no memory. Threads that meet a character at once store the same
// value.
std::atomic<std::uint32_t> g_infoCache[0x10000];

inline std::uint32_t Info(char32_t c) {
    if (c >= 0x10000) return ComputeInfo(c);
    std::uint32_t info = g_infoCache[c].load(std::memory_order_relaxed);
    if (info == 0) {
        info = ComputeInfo(c);
        g_infoCache[c].store(info, std::memory_order_relaxed);
    }
    return info;
}

void AppendSeveral(std::string& key, char32_t c) {
    char32_t parts[kMaxFolded];
    const int n = AccentFold(c, parts);
    for (int i = 0; i < n; ++i) AppendUtf8(key, SimpleFold(parts[i]));
}

}  // namespace

std::string WordKey(std::string_view word) {
    std::string key;
    if (!WordKeyDiffers(word, key)) key.assign(word);
    return key;
}

// What the key makes of a character at U+0100 or above.
enum class WideKey { Dropped, Itself, Appended };

// The key of a character at U+0100 or above: dropped (a mark after a Latin, Greek or Cyrillic letter), the
// character itself, or appended to `key` once `startKey` has made it the key so far. `wideAfterLgc` follows
// whether the character is such a letter, or a mark dropped after one.
template <typename StartKey>
WideKey AppendWideKey(char32_t c, bool afterLetter, bool& wideAfterLgc, StartKey&& startKey, std::string& key) {
    const std::uint32_t info = Info(c);
    if ((info & kMark) != 0) {
        wideAfterLgc = afterLetter;
        if (afterLetter) {
            startKey();
            return WideKey::Dropped;
        }
    } else {
        wideAfterLgc = (info & kLetterOfLgc) != 0;
    }
    if ((info & kIdentity) != 0) return WideKey::Itself;
    startKey();
    if ((info & kSeveral) != 0)
        AppendSeveral(key, c);
    else
        AppendUtf8(key, info & kFoldedMask);
    return WideKey::Appended;
}

bool WordKeyDiffers(std::string_view word, std::string& key) {
    const Latin1Table& latin1 = Latin1();
    const char* const p = word.data();
    const std::size_t n = word.size();
    // Until the first character whose key differs nothing is written; from there on, `key` holds the key of
    // word[0, i).
    bool differs = false;
    const auto startKey = [&](std::size_t i) {
        if (!differs) key.assign(p, i);
        differs = true;
    };
    // Plain lower-case ASCII is its own key, as most of a Western text is.
    std::size_t i = 0;
    while (i < n && static_cast<unsigned char>(p[i]) < 0x80 && !IsAsciiUpper(static_cast<unsigned char>(p[i]))) ++i;
    if (i == n) return false;
    // Whether the last character at or above U+0080 was a Latin, Greek or Cyrillic letter (or a mark folded
    // away after one), for a mark that follows it.
    bool wideAfterLgc = false;
    while (i < n) {
        const auto b = static_cast<unsigned char>(p[i]);
        char32_t c = b;
        const std::size_t length = b < 0x80 ? 1 : DecodeUtf8(word.substr(i), c);
        if (length == 0) {
            // Not UTF-8: a byte of the Western code page, keyed as it always was.
            const Latin1Key& entry = latin1.legacy[b];
            if (entry.length != 1 || entry.bytes[0] != p[i]) {
                startKey(i);
                key.append(entry.bytes, entry.length);
            } else if (differs) {
                key.push_back(static_cast<char>(b));
            }
            wideAfterLgc = false;
            ++i;
            continue;
        }
        if (c < 0x100) {
            const Latin1Key& entry = latin1.keys[c];
            wideAfterLgc = entry.latinLetter;
            if (!entry.identity) {
                startKey(i);
                key.append(entry.bytes, entry.length);
            } else if (differs) {
                key.append(p + i, length);
            }
            i += length;
            continue;
        }
        const bool afterLetter = i > 0 && (static_cast<unsigned char>(p[i - 1]) < 0x80
                                               ? latin1.keys[static_cast<unsigned char>(p[i - 1])].latinLetter
                                               : wideAfterLgc);
        const auto startHere = [&] { startKey(i); };
        const WideKey wide = AppendWideKey(c, afterLetter, wideAfterLgc, startHere, key);
        if (wide == WideKey::Itself && differs) key.append(p + i, length);
        i += length;
    }
    return differs;
}

bool IsVowelOrY(char32_t c) {
    if (c < 0x100) return Latin1().keys[c].vowel;
    if ((U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_L_MASK) == 0) return false;
    char32_t parts[kMaxFolded];
    return AccentFold(c, parts) > 0 && parts[0] < 0x100 && Latin1().keys[parts[0]].vowel;
}

bool IsLetterOfOtherScript(char32_t c) {
    if (c < 0x100 || (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_L_MASK) == 0) return false;
    UErrorCode error = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &error);
    return script != USCRIPT_LATIN && script != USCRIPT_COMMON && script != USCRIPT_INHERITED;
}

}  // namespace vesk
