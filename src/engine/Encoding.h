// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text is UTF-8 everywhere inside the program. Here: UTF-8 itself, Windows-1252 (files of the old program and
// texts that are not UTF-8), and the decoding of input and common-words files to UTF-8, whatever their
// encoding.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vesk {

// Windows-1252 to UTF-8; the five undefined codes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 etc.
std::string Cp1252ToUtf8(std::string_view text);
// Cp1252ToUtf8 appended to `out`.
void AppendCp1252AsUtf8(std::string& out, std::string_view text);
// The length of the well-formed UTF-8 sequence at the start of the text and its code point; 0 when the
// sequence is ill-formed or cut short.
std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// The number of characters (code points) of well-formed UTF-8 text: the bytes that start a sequence.
std::size_t Utf8Length(std::string_view text);
// Whether the text is entirely well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// The Windows-1252 code of a Unicode code point, or -1.
int UnicodeToCp1252(char32_t codePoint);
// The Unicode code point of a Windows-1252 code.
char32_t Cp1252ToUnicode(unsigned char code);
// Each ill-formed byte of the text becomes U+FFFD (a separator); `scratch` is storage kept between calls.
void ReplaceIllFormedUtf8(std::string& text, std::string& scratch);

// ---- Decoding files ----

// How the bytes of an input or common-words file become text.
enum class ByteEncoding : std::uint8_t {
    Detect,   // a byte-order mark, else the first non-ASCII bytes: UTF-8 when they are, else Windows-1252
    Utf8,     // ill-formed bytes become U+FFFD, one each
    Cp1252,   // the five undefined codes become the C1 controls of their numbers
    Utf16Le,  // an unpaired surrogate becomes U+FFFD
    Utf16Be,
    Converter,  // an ICU converter
};

// An encoding as the user names it: "" detects it; anything else is a converter name ICU knows (any of
// its aliases, in any case: "windows-1250", "ISO-8859-2", "koi8-r", "UTF-16LE" ...).
struct InputEncoding {
    ByteEncoding kind = ByteEncoding::Detect;
    std::string converter;  // ICU's own name of the converter, for ByteEncoding::Converter
};
// The encoding of a name; false when ICU knows no converter of that name.
bool EncodingOfName(std::string_view name, InputEncoding& encoding);
inline bool IsKnownEncoding(std::string_view name) {
    InputEncoding unused;
    return EncodingOfName(name, unused);
}

// How a file's bytes are read, from its first bytes (three or more unless the file is shorter): the
// encoding, byte-order mark detected, and the length of the mark to skip.
struct DecodingPlan {
    ByteEncoding kind = ByteEncoding::Detect;
    std::size_t skip = 0;
};
DecodingPlan PlanDecoding(std::string_view firstBytes, const InputEncoding& encoding);

// Turns bytes of an encoding that is not read line by line (UTF-16, a converter) into UTF-8, piece by piece:
// a character cut between two pieces is completed by the next.
class StreamDecoder {
  public:
    virtual ~StreamDecoder() = default;
    // Appends the UTF-8 of `bytes` to `out`; with `last`, a character left incomplete becomes U+FFFD.
    virtual void Decode(std::string_view bytes, bool last, std::string& out) = 0;
};
// The decoder of a plan, or null for the encodings read line by line (Detect, Utf8, Cp1252).
std::unique_ptr<StreamDecoder> MakeStreamDecoder(ByteEncoding kind, const std::string& converter);

}  // namespace vesk
