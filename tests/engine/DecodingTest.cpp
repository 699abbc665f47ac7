// SPDX-License-Identifier: GPL-3.0-or-later
// Input and common-words files as the program reads them: lines of UTF-8, whatever the file's encoding.

#include <gtest/gtest.h>
#include <unicode/ustring.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "engine/ByteSource.h"
#include "engine/Encoding.h"
#include "engine/FileChecks.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(ByteSource& source) {
    Lines lines;
    for (std::string line; source.ReadLine(line);) lines.push_back(line);
    return lines;
}

InputEncoding Named(const std::string& name) {
    InputEncoding encoding;
    EXPECT_TRUE(EncodingOfName(name, encoding)) << name;
    return encoding;
}

// The lines of a file, and every byte of it consumed.
Lines ReadFile(const std::string& bytes, const InputEncoding& encoding = {}) {
    ScratchFolder scratch;
    std::string error;
    auto source = ByteSource::OpenFile(scratch.Write("f.txt", bytes), error, nullptr, encoding);
    EXPECT_TRUE(source) << error;
    if (!source) return {};
    EXPECT_EQ(source->Size(), static_cast<std::int64_t>(bytes.size()));
    Lines lines = ReadAll(*source);
    EXPECT_EQ(source->BytesConsumed(), static_cast<std::int64_t>(bytes.size()));
    return lines;
}

// UTF-16 code units as the bytes of a file.
std::string Utf16Bytes(const std::u16string& units, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(ByteSource, LinesAndTheirEncoding) {
    const std::size_t block = 1u << 20;
    std::string longLine(3 * block + 17, 'z');
    longLine[block] = 'q';
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\n\rb\r\rc\n", {"a", "", "b", "", "c"}},
        {"", {}},
        {"tab\tand form\ffeed stay", {"tab\tand form\ffeed stay"}},
        {std::string(block - 1, 'x') + "\r\ny\n", {std::string(block - 1, 'x'), "y"}},  // CR LF across blocks
        {longLine + "\r\nend", {longLine, "end"}},
        // UTF-8, with a byte-order mark (dropped) or without (the first non-ASCII bytes decide); each
        // ill-formed byte becomes U+FFFD.
        {"\xEF\xBB\xBFżółw\n", {"żółw"}},
        {"plain\nna\xC3\xAFve \xE4\xB8\xAD\n", {"plain", "naïve 中"}},
        {"\xC3\xA9 \xFF\xC3 \xE2\x82 \xED\xA0\x80\n",
         {"\xC3\xA9 \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}},
        // Windows-1252, its five undefined codes the C1 controls of their numbers.
        {"caf\xE9\n\xC3\xA9 \x80 \x81\x9D\n", {"café", "\xC3\x83\xC2\xA9 \xE2\x82\xAC \xC2\x81\xC2\x9D"}},
        {"\xEF\xBBx", {"ï»x"}},
        // UTF-16 after its byte-order mark: a character beyond the BMP, an unpaired surrogate (U+FFFD),
        // line ends among the code units, an odd byte at the end (U+FFFD).
        {"\xFF\xFE" + Utf16Bytes(u"\u0141\u00F3d\u017A \U0001F600\r\n\xD800x\n\u0a0d\xDC00", false) + "!",
         {"Łódź 😀", "\xEF\xBF\xBDx", "\xE0\xA8\x8D\xEF\xBF\xBD\xEF\xBF\xBD"}},
        {"\xFE\xFF" + Utf16Bytes(u"\u0416\r\u0a0d\U0001F600", true), {"Ж", "\xE0\xA8\x8D\xF0\x9F\x98\x80"}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(ReadFile(bytes), lines) << bytes.substr(0, 40);

    // A peek sees the bytes as they are.
    ScratchFolder scratch;
    std::string error;
    auto source = ByteSource::OpenFile(scratch.Write("f.txt", "\xEF\xBB\xBFhello world\nnext"), error);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Peek(8), "\xEF\xBB\xBFhello");
    EXPECT_EQ(source->Peek(1000).size(), 19u);
    EXPECT_EQ(ReadAll(*source), (Lines{"hello world", "next"}));
}

TEST(ByteSource, NamedEncodings) {
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"windows-1250", "\x8Akoda\r\n\xB3y\xBFka", {"Škoda", "łyżka"}},
        // Named, UTF-16 needs no mark; a mark given is dropped all the same.
        {"utf-16le", Utf16Bytes(u"\u0416\n\u0a0dz", false), {"Ж", "\xE0\xA8\x8Dz"}},
        {"UTF-16BE", "\xFE\xFF" + Utf16Bytes(u"ab", true), {"ab"}},
        // Windows-1252 named: a mark of another encoding is text of this one.
        {"cp1252", "\xFF\xFEz\x80", {"ÿþz€"}},
        // Bytes a converter cannot map become U+FFFD, never a control character.
        {"Shift_JIS", "\x82\xA0\x80z", {"\xE3\x81\x82\xEF\xBF\xBDz"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadFile(c.bytes, Named(c.name)), c.lines) << c.name;

    for (const char* unknown : {"", "nonsense", "windows-9999"}) EXPECT_EQ(IsKnownEncoding(unknown), *unknown == 0);
}

// Lines in UTF-16, decoded block by block, are the lines of the same text in UTF-8, whatever falls on the
// edge of a block; ICU's own conversion is the model of a text with unpaired surrogates.
TEST(ByteSource, Utf16ReadsAsItsUtf8Twin) {
    std::mt19937 random(10);
    const std::u16string pieces[] = {u"a",  u"\u00E9", u"\u4E2D", u"\xD83D\xDE00", u"\xD800", u"\xDC00", u"\r",
                                     u"\n", u"\r\n",   u" ",      u"\u0a0d",       u"\u0d0a"};
    std::u16string text;
    while (text.size() < 1'500'000) text += pieces[random() % std::size(pieces)];
    std::string utf8(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    ASSERT_TRUE(U_SUCCESS(status));
    utf8.resize(static_cast<std::size_t>(length));
    const Lines expected = ReadFile(utf8);
    EXPECT_EQ(ReadFile("\xFF\xFE" + Utf16Bytes(text, false)), expected);
    EXPECT_EQ(ReadFile(Utf16Bytes(text, true), Named("UTF-16BE")), expected);
}

TEST(ByteSource, StandardInputThroughAPipe) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    auto source = ByteSource::FromDescriptor(fds[0]);
    EXPECT_EQ(source->Size(), -1);
    ASSERT_EQ(::write(fds[1], "first\r", 6), 6);
    EXPECT_EQ(source->Peek(6), "first\r");
    std::string line;
    ASSERT_TRUE(source->ReadLine(line));
    EXPECT_EQ(line, "first");
    // The LF of that CR LF arrives later, with the next line.
    ASSERT_EQ(::write(fds[1], "\nsecond", 7), 7);
    ::close(fds[1]);
    EXPECT_EQ(ReadAll(*source), Lines{"second"});
    EXPECT_EQ(source->BytesConsumed(), 13);
    source.reset();
    EXPECT_EQ(::close(fds[0]), 0);  // the descriptor belongs to the caller
}

// Only the characters decoded from the first 16384 bytes decide: their line ends, and whether a control
// character other than tab, CR and LF makes them no text. A UTF-16 file is text.
TEST(FileChecks, TextKinds) {
    const struct {
        std::string bytes;
        const char* encoding;
        std::int16_t kind;
    } cases[] = {
        {"a\r\nb\r\n", "", kTextCrLf},
        {"a\nb\n", "", kTextLfOnly},
        {"a\rb\r", "", kTextCrOnly},
        {"one line", "", kTextCrLf},
        {std::string(16384, 'a') + "\r\n\n", "", kTextCrLf},
        {std::string(16383, 'a') + "\n\r", "", kTextLfOnly},
        {"tab\there \x80\x9F\xA0\xFF\n", "", kTextLfOnly},
        {"form\ffeed", "", kNotText},
        {std::string("a\0", 2), "", kNotText},
        {std::string(16383, 'a') + '\f', "", kNotText},
        {std::string(16384, 'a') + '\f', "", kTextCrLf},
        {"\xFF\xFE" + Utf16Bytes(u"a\r\nb\u0a0d", false), "", kTextCrLf},
        {"\xFE\xFF" + Utf16Bytes(u"a\nb", true), "", kTextLfOnly},
        {"\xFF\xFE" + Utf16Bytes(u"a\fb", false), "", kNotText},
        {Utf16Bytes(u"a\rb", false), "UTF-16LE", kTextCrOnly},
        {Utf16Bytes(u"a\rb", false), "", kNotText},  // no mark: bytes 0 of Windows-1252
        {"\x82\xA0\x80\n", "Shift_JIS", kTextLfOnly},
        // The limit cuts the file; a character cut there is not looked at.
        {"\xFF\xFE" + Utf16Bytes(std::u16string(8190, u'a') + u"\U0001F600\f", false), "", kTextCrLf},
    };
    ScratchFolder scratch;
    for (const auto& c : cases) {
        const InputEncoding encoding = Named(c.encoding);
        EXPECT_EQ(TextKindOfBytes(c.bytes.substr(0, 16384), encoding), c.kind) << c.bytes.substr(0, 12);
        EXPECT_EQ(IsTextFile(scratch.Write("f", c.bytes), 16384, encoding), c.kind) << c.bytes.substr(0, 12);
    }
    EXPECT_EQ(IsTextFile(scratch.Write("f", ""), 16384), kTextFileEmpty);
    EXPECT_EQ(IsTextFile("/nonexistent/vesk/file.txt", 16384), kTextFileMissing);
}

TEST(Encoding, Windows1252AndUtf8) {
    // The five codes the code page leaves undefined too: they stand for the C1 controls of the same numbers.
    for (int code = 0; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        char32_t cp = 0;
        EXPECT_EQ(DecodeUtf8(Cp1252ToUtf8(one), cp), Cp1252ToUtf8(one).size()) << code;
        EXPECT_EQ(UnicodeToCp1252(cp), code);
    }
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x93q\x94 \x9F \x90"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8 \xC2\x90");
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xE9"}) EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_TRUE(IsValidUtf8("😀"));
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
}

// The fast check of well-formed UTF-8 (and the count of characters) against decoding code point by code point, on texts
// pieced from well-formed sequences, their cut and altered forms and stray bytes.
TEST(Encoding, IllFormedBytesAgainstDecodingOneByOne) {
    const auto model = [](std::string_view text) {
        std::string out;
        while (!text.empty()) {
            char32_t cp = 0;
            const std::size_t length = DecodeUtf8(text, cp);
            out += length == 0 ? std::string_view("\xEF\xBF\xBD") : text.substr(0, length);
            text.remove_prefix(length == 0 ? 1 : length);
        }
        return out;
    };
    const std::string pieces[] = {"a",
                                  "abcdefgh",
                                  "\xD0\xB6",
                                  "\xE2\x82\xAC",
                                  "\xF0\x9F\x98\x80",
                                  "\xED\x9F\xBF",
                                  "\xEE\x80\x80",
                                  "\xF4\x8F\xBF\xBF",
                                  "\xD0\xB6\xD1\x8F\xC2\xA0\xDF\xBF"};
    std::mt19937 random(7);
    std::string scratch;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 12);
        for (int k = 0; k < count; ++k) {
            std::string piece = pieces[random() % std::size(pieces)];
            switch (random() % 6) {
                case 0:
                    piece.resize(random() % piece.size());
                    break;
                case 1:
                    piece[random() % piece.size()] = static_cast<char>(random());
                    break;
                case 2:
                    piece = std::string(1, static_cast<char>(0x80 + random() % 128));
                    break;
                default:
                    break;
            }
            text += piece;
        }
        const std::string expected = model(text);
        EXPECT_EQ(IsValidUtf8(text), expected == text) << text;
        EXPECT_EQ(Utf8Length(text),
                  static_cast<std::size_t>(std::count_if(
                      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; })))
            << text;
        std::string replaced = text;
        ReplaceIllFormedUtf8(replaced, scratch);
        ASSERT_EQ(replaced, expected) << text;
    }
}

}  // namespace
}  // namespace vesk::test
