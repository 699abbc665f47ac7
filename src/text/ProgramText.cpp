// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ProgramText.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <new>
#include <string_view>
#include <utility>

#include "engine/Encoding.h"

namespace vesk {

namespace {

constexpr std::int32_t kNothingRead = 0;
constexpr std::int32_t kCannotOpen = -1;
constexpr std::int32_t kTextMemory = -2;
constexpr std::int32_t kTooMuchText = -3;
constexpr std::int32_t kNotRecovered = -4;
constexpr std::int32_t kUnnumberedError = -5;
constexpr std::int32_t kEmptyFile = -6;
constexpr std::int32_t kReadError = -7;
constexpr std::int32_t kGeneralMemory = -8;
constexpr std::int32_t kMissingBase = -500;
constexpr std::int32_t kTooLongBase = -1000;
constexpr std::int32_t kDuplicateBase = -1500;
// The line-numbered codes of missing and too long texts have room for 500 lines.
constexpr std::int32_t kNumberedLines = 500;

constexpr std::size_t kMaxTextLength = 4096;
constexpr long kMaxFileBytes = 4L << 20;
constexpr std::int16_t kLanguageCount = 6;
// A longer text comes back cut to this many characters.
constexpr std::size_t kLookupCapacity = 1024;

using TextKey = std::pair<std::int16_t, std::int16_t>;  // number, language

std::int32_t LineCode(std::int32_t base, std::int32_t line) {
    return line <= kNumberedLines ? base - line : kUnnumberedError;
}

// "12" or "12:3" -> number and language; false when that is not what the text holds.
bool ParseKey(std::string_view key, std::int16_t& number, std::int16_t& language) {
    const std::size_t colon = key.find(':');
    const std::string_view numberPart = key.substr(0, colon);
    const std::string_view languagePart = colon == std::string_view::npos ? "0" : key.substr(colon + 1);
    auto parse = [](std::string_view digits, int low, int high, std::int16_t& out) {
        if (digits.empty() || digits.size() > 5) return false;
        int value = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (ec != std::errc() || ptr != digits.data() + digits.size() || value < low || value > high) return false;
        out = static_cast<std::int16_t>(value);
        return true;
    };
    return parse(numberPart, 1, 32767, number) && parse(languagePart, 0, kLanguageCount - 1, language);
}

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        switch (text[i + 1]) {
            case 't':
                out.push_back('\t');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case '\\':
                out.push_back('\\');
                break;
            default:
                out.push_back('\\');
                continue;
        }
        ++i;
    }
    return out;
}

// Parses the whole file into `texts`; returns the number of texts, or a failure code.
std::int32_t ParseTexts(std::string_view bytes, std::map<TextKey, std::string>& texts) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (!IsValidUtf8(bytes)) return kNotRecovered;
    std::int32_t lineNumber = 0;
    std::int32_t count = 0;
    while (!bytes.empty()) {
        ++lineNumber;
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);

        const std::size_t firstNonBlank = line.find_first_not_of(" \t");
        if (firstNonBlank == std::string_view::npos || line[firstNonBlank] == '#') continue;

        const std::size_t tab = line.find('\t');
        std::int16_t number = 0;
        std::int16_t language = 0;
        if (tab == std::string_view::npos || tab + 1 == line.size() || !ParseKey(line.substr(0, tab), number, language))
            return LineCode(kMissingBase, lineNumber);
        std::string text;
        try {
            text = Unescape(line.substr(tab + 1));
        } catch (const std::bad_alloc&) {
            return kTextMemory;
        }
        if (Utf8Length(text) > kMaxTextLength) return LineCode(kTooLongBase, lineNumber);
        if (texts.count({number, language}) != 0) return kDuplicateBase - lineNumber;
        texts.emplace(TextKey{number, language}, std::move(text));
        ++count;
    }
    return count;
}

}  // namespace

std::int32_t ProgramText::Load(const std::string& systemPath) {
    std::FILE* file = std::fopen(systemPath.c_str(), "rb");
    if (file == nullptr) return kCannotOpen;
    std::string bytes;
    std::int32_t code = kNothingRead;
    try {
        char buffer[8192];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            if (bytes.size() + n > static_cast<std::size_t>(kMaxFileBytes)) {
                code = kTooMuchText;
                break;
            }
            bytes.append(buffer, n);
        }
        if (code == kNothingRead && std::ferror(file)) code = kReadError;
    } catch (const std::bad_alloc&) {
        code = kGeneralMemory;
    }
    std::fclose(file);
    return code != kNothingRead ? code : LoadBytes(bytes);
}

std::int32_t ProgramText::LoadBytes(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(kMaxFileBytes)) return kTooMuchText;
    if (bytes.empty()) return kEmptyFile;
    try {
        std::map<TextKey, std::string> texts;
        const std::int32_t code = ParseTexts(bytes, texts);
        if (code > 0)
            for (auto& [key, text] : texts) m_texts.insert_or_assign(key, std::move(text));
        return code;
    } catch (const std::bad_alloc&) {
        return kGeneralMemory;
    }
}

std::string ProgramText::Text(std::int16_t number) const {
    auto found = m_texts.find({number, m_language});
    if (found == m_texts.end() && m_language != 0) found = m_texts.find({number, std::int16_t{0}});
    if (found == m_texts.end()) return {};
    // Cut before the character after the last one kept, never inside a character.
    const std::string& text = found->second;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == kLookupCapacity)
            return text.substr(0, i);
    return text;
}

std::string ProgramTextLoadMessage(std::int32_t code, const std::string& path) {
    // Numbers read as the program writes them in its messages: a blank before a number that is not negative.
    auto number = [](std::int32_t value) { return (value >= 0 ? " " : "") + std::to_string(value); };
    auto absolute = [](std::int32_t value) { return value < 0 ? -value : value; };
    if (code > 0) return {};
    switch (code) {
        case kNothingRead:
            return "No program text was read.";
        case kCannotOpen:
            return "Cannot open file containing program text.\r\n" + path;
        case kTextMemory:
            return "Particular memory allocation error.";
        case kTooMuchText:
            return "Too much program text.";
        case kNotRecovered:
            return "Text not recovered.";
        case kEmptyFile:
            return "File is empty.";
        case kReadError:
            return "Error reading file.";
        case kGeneralMemory:
            return "General memory allocation error.";
        default:
            break;
    }
    if (code < kDuplicateBase)
        return "Duplicate in program text at line" + number(absolute(code - kDuplicateBase)) + ".";
    if (code <= kTooLongBase - 1) return "String too long at line" + number(absolute(code - kTooLongBase)) + ".";
    if (code <= kMissingBase - 1) return "Missing string at line" + number(absolute(code - kMissingBase)) + ".";
    return "Error " + number(code);
}

std::string VersionString() {
    return std::to_string(VESK_VERSION_MAJOR) + "." + std::to_string(VESK_VERSION_MINOR) + "7";
}

}  // namespace vesk
