// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small byte and bit kernels shared by the line scanner's two halves (prepared lines and word runs).

#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesk::scankernels {

#if defined(__SSE2__)
constexpr std::size_t kBlock = 16;

inline __m128i Bytes(char c) { return _mm_set1_epi8(c); }

// Byte lanes of the ASCII letters: A-Z, a-z. The bytes of longer UTF-8 sequences are classified apart.
inline __m128i LetterLanes(__m128i v) {
    const __m128i folded = _mm_or_si128(v, Bytes(0x20));
    // Shifted so that a-z become the 26 smallest signed values.
    return _mm_cmplt_epi8(_mm_add_epi8(folded, Bytes(static_cast<char>(0x80 - 'a'))),
                          Bytes(static_cast<char>(0x80 + 26)));
}

inline unsigned Mask(__m128i lanes) { return static_cast<unsigned>(_mm_movemask_epi8(lanes)); }

inline __m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Lanes that make a word's key differ from the word: capitals and bytes from 0x80.
inline unsigned NotPlainMask(__m128i v) {
    const __m128i upper =
        _mm_cmplt_epi8(_mm_add_epi8(v, Bytes(static_cast<char>(0x80 - 'A'))), Bytes(static_cast<char>(0x80 + 26)));
    return Mask(_mm_or_si128(upper, v));
}
#endif

constexpr std::size_t kRunSlots = std::size_t{1} << 15;
// The most the cache of runs grows to when a text has many more different words.
constexpr std::size_t kMostRunSlots = std::size_t{1} << 17;
constexpr std::uint32_t kRunWindow = 1u << 16;
// The slots of the cache of the longer runs.
constexpr std::size_t kLongRunSlots = std::size_t{1} << 13;

inline std::uint64_t Load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// The mask of the first `n` bytes of a little-endian word, `n` up to 8.
inline std::uint64_t LowBytes(std::size_t n) { return n >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * n)) - 1; }

inline std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    __extension__ typedef unsigned __int128 Uint128;
    const Uint128 product = static_cast<Uint128>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

// The 64 bits from bit `shift` of words[0], continuing into words[1].
inline std::uint64_t Window(const std::uint64_t* words, unsigned shift) {
    __extension__ typedef unsigned __int128 Uint128;
    const Uint128 pair = (static_cast<Uint128>(words[1]) << 64) | words[0];
    return static_cast<std::uint64_t>(pair >> shift);
}

// Whether any bit from `from` to before `to` is set.
inline bool AnyBits(const std::uint64_t* bits, std::size_t from, std::size_t to) {
    std::uint64_t any = 0;
    for (std::size_t w = from / 64; w * 64 < to; ++w) {
        std::uint64_t m = bits[w];
        if (w == from / 64) m &= ~std::uint64_t{0} << (from % 64);
        if ((w + 1) * 64 > to) m &= (std::uint64_t{1} << (to % 64)) - 1;
        any |= m;
    }
    return any != 0;
}

// Restores the line's length after the scan, whichever way it ends.
class PaddingGuard {
  public:
    PaddingGuard(std::string& line, std::size_t size) : m_line(line), m_size(size) {}
    ~PaddingGuard() { m_line.resize(m_size); }
    PaddingGuard(const PaddingGuard&) = delete;
    PaddingGuard& operator=(const PaddingGuard&) = delete;

  private:
    std::string& m_line;
    std::size_t m_size;
};

}  // namespace vesk::scankernels
