// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/NumberFormat.h"

#include <langinfo.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

#include "engine/Encoding.h"

namespace vesk {

namespace {

std::optional<std::string> g_forcedThousands;
std::optional<std::string> g_forcedDecimal;

// A separator of the current locale, in UTF-8 whatever the locale's character set; a plain space when it
// cannot be read.
std::string LocaleSeparator(nl_item item, const char* fallback) {
    const char* raw = nl_langinfo(item);
    if (raw == nullptr || *raw == '\0') return fallback;
    std::string text = raw;
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return text;
    const char* codeset = nl_langinfo(CODESET);
    InputEncoding encoding;
    if (codeset == nullptr || !EncodingOfName(codeset, encoding)) encoding = {};
    if (encoding.kind == ByteEncoding::Detect || encoding.kind == ByteEncoding::Utf8)
        return IsValidUtf8(text) ? text : " ";
    if (encoding.kind == ByteEncoding::Cp1252) return Cp1252ToUtf8(text);
    std::string utf8;
    if (const std::unique_ptr<StreamDecoder> decoder = MakeStreamDecoder(encoding.kind, encoding.converter))
        decoder->Decode(text, true, utf8);
    return utf8.empty() ? " " : utf8;
}

std::string ThousandsSeparator() { return g_forcedThousands ? *g_forcedThousands : LocaleSeparator(THOUSEP, ","); }

std::string DecimalSeparator() { return g_forcedDecimal ? *g_forcedDecimal : LocaleSeparator(RADIXCHAR, "."); }

// Digits in groups of three from the right.
std::string GroupDigits(std::string_view digits, const std::string& separator) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 * separator.size());
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i >= lead && (i - lead) % 3 == 0) out += separator;
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace

std::string FormatGrouped(std::int64_t value) {
    // The magnitude as unsigned, so that the most negative value needs no special case.
    const std::uint64_t magnitude = value < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(value)
                                              : static_cast<std::uint64_t>(value);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    std::string out = value < 0 ? "-" : "";
    out += GroupDigits(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)), ThousandsSeparator());
    return out;
}

std::string FormatGroupedDecimal(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    // to_chars ignores the locale, so the point it writes is always ".".
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return {};
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.find_first_not_of("-0123456789.") != std::string_view::npos) return std::string(text);  // inf, nan

    std::string out;
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
        // "-0.00" reads as a negative number that is not there.
        if (text.find_first_not_of("0.") != std::string_view::npos) out = "-";
    }
    const std::size_t point = text.find('.');
    out += GroupDigits(text.substr(0, point), ThousandsSeparator());
    if (point != std::string_view::npos) out += DecimalSeparator() + std::string(text.substr(point + 1));
    return out;
}

void SetNumberSeparatorsForTesting(const std::string& thousands, const std::string& decimal) {
    g_forcedThousands = thousands.empty() ? std::nullopt : std::optional<std::string>(thousands);
    g_forcedDecimal = decimal.empty() ? std::nullopt : std::optional<std::string>(decimal);
}

}  // namespace vesk
