// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/WordExport.h"

#include <charconv>
#include <ostream>

#include "engine/Encoding.h"

namespace vesk {

namespace {

// Rows gather in a buffer of this size before they go to the stream.
constexpr std::size_t kFlushBytes = 1 << 16;

__extension__ typedef __int128 Int128;

constexpr std::string_view kColumns[] = {"rank", "frequency", "word", "percent", "cumulative_percent"};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

void AppendNumber(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// A CSV field is quoted only when it holds a delimiter, a quote or a line break; its quotes are doubled.
void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

// One export: the rows in rank order, framed by the format's opening and closing.
class ExportWriter {
  public:
    ExportWriter(std::ostream& out, ExportFormat format, const WordTable& table)
        : m_out(out), m_format(format), m_table(table), m_listed(table.Statistics().listedOccurrenceCount) {
        m_buffer.reserve(kFlushBytes + 1024);
    }

    void Header() {
        if (m_format == ExportFormat::Json) {
            m_buffer += "{\n  \"format\": \"vesk-words\",\n  \"version\": 1,\n  \"words\": [";
            return;
        }
        const char separator = m_format == ExportFormat::Csv ? ',' : '\t';
        for (std::size_t i = 0; i < std::size(kColumns); ++i) {
            if (i > 0) m_buffer.push_back(separator);
            m_buffer += kColumns[i];
        }
        EndRecord();
    }

    void Row(std::int64_t record) {
        const std::int64_t frequency = m_table.Frequency(record);
        m_cumulative += frequency;
        const std::string_view word = m_table.Word(record);
        if (m_format == ExportFormat::Json) {
            m_buffer += m_rows == 0 ? "\n    {\"rank\": " : ",\n    {\"rank\": ";
            AppendNumber(m_buffer, m_table.Rank(record));
            m_buffer += ", \"frequency\": ";
            AppendNumber(m_buffer, frequency);
            m_buffer += ", \"word\": ";
            AppendJsonString(m_buffer, word);
            m_buffer += ", \"percent\": ";
            m_buffer += FormatPercent(frequency, m_listed);
            m_buffer += ", \"cumulative_percent\": ";
            m_buffer += FormatPercent(m_cumulative, m_listed);
            m_buffer.push_back('}');
        } else {
            const char separator = m_format == ExportFormat::Csv ? ',' : '\t';
            AppendNumber(m_buffer, m_table.Rank(record));
            m_buffer.push_back(separator);
            AppendNumber(m_buffer, frequency);
            m_buffer.push_back(separator);
            // A word is cut from a line at separators, and tabs and line breaks always separate, so a TSV
            // field never needs quoting; only the CSV delimiter and quote can be inside a word.
            if (m_format == ExportFormat::Csv)
                AppendCsvField(m_buffer, word);
            else
                m_buffer += word;
            m_buffer.push_back(separator);
            m_buffer += FormatPercent(frequency, m_listed);
            m_buffer.push_back(separator);
            m_buffer += FormatPercent(m_cumulative, m_listed);
            EndRecord();
        }
        ++m_rows;
        if (m_buffer.size() >= kFlushBytes) Flush();
    }

    void Footer(const ExportSettings& settings) {
        if (m_format == ExportFormat::Json) {
            const WordStatistics& stats = m_table.Statistics();
            m_buffer += m_rows == 0 ? "],\n" : "\n  ],\n";
            m_buffer += "  \"statistics\": {\"words_in_list\": ";
            AppendNumber(m_buffer, stats.listedWordCount);
            m_buffer += ", \"words_excluded\": ";
            AppendNumber(m_buffer, stats.excludedWordCount);
            m_buffer += ", \"occurrences_in_list\": ";
            AppendNumber(m_buffer, stats.listedOccurrenceCount);
            m_buffer += ", \"total_words\": ";
            AppendNumber(m_buffer, stats.totalOccurrenceCount);
            m_buffer += "},\n  \"settings\": {";
            for (std::size_t i = 0; i < settings.size(); ++i) {
                m_buffer += i == 0 ? "\n    " : ",\n    ";
                AppendJsonString(m_buffer, settings[i].first);
                m_buffer += ": ";
                AppendValue(settings[i].second);
            }
            m_buffer += settings.empty() ? "}\n}\n" : "\n  }\n}\n";
        }
        Flush();
    }

  private:
    void EndRecord() { m_buffer += m_format == ExportFormat::Csv ? "\r\n" : "\n"; }

    void AppendValue(const ExportSettingValue& value) {
        if (const bool* flag = std::get_if<bool>(&value))
            m_buffer += *flag ? "true" : "false";
        else if (const std::int64_t* number = std::get_if<std::int64_t>(&value))
            AppendNumber(m_buffer, *number);
        else
            AppendJsonString(m_buffer, std::get<std::string>(value));
    }

    void Flush() {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }

    std::ostream& m_out;
    ExportFormat m_format;
    const WordTable& m_table;
    std::int64_t m_listed;
    std::int64_t m_cumulative = 0;
    std::int64_t m_rows = 0;
    std::string m_buffer;
};

}  // namespace

std::optional<ExportFormat> ExportFormatOfPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return std::nullopt;
    const std::string_view extension = path.substr(dot + 1);
    for (const auto& [name, format] : {std::pair{"csv", ExportFormat::Csv}, std::pair{"tsv", ExportFormat::Tsv},
                                       std::pair{"json", ExportFormat::Json}})
        if (EqualsIgnoringAsciiCase(extension, name)) return format;
    return std::nullopt;
}

std::optional<ExportFormat> ExportFormatOfName(std::string_view name) {
    if (name == "csv") return ExportFormat::Csv;
    if (name == "tsv") return ExportFormat::Tsv;
    if (name == "json") return ExportFormat::Json;
    return std::nullopt;
}

std::string FormatPercent(std::int64_t part, std::int64_t whole) {
    // Tenths of a percent rounded half up in integers, so that the figure never depends on how a double
    // rounds: exact shares such as 12.25 % and 100 % come out as written.
    std::int64_t tenths = 0;
    if (whole > 0) {
        const Int128 scaled = static_cast<Int128>(part) * 2000 + whole;
        tenths = static_cast<std::int64_t>(scaled / (2 * static_cast<Int128>(whole)));
    }
    std::string text;
    AppendNumber(text, tenths / 10);
    text.push_back('.');
    text.push_back(static_cast<char>('0' + tenths % 10));
    return text;
}

void WriteWordExport(std::ostream& out, ExportFormat format, const WordTable& table, std::int64_t chainHead,
                     const ExportSettings& settings) {
    ExportWriter writer(out, format, table);
    writer.Header();
    const std::int64_t count = table.DistinctWordCount();
    for (std::int64_t record = chainHead; record >= 1 && record <= count; record = table.NextByFrequency(record))
        if (table.IsListed(record)) writer.Row(record);
    writer.Footer(settings);
}

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            char32_t codePoint = 0;
            const std::size_t length = DecodeUtf8(text.substr(i), codePoint);
            if (length == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20) {
            out += "\\u00";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    out.push_back('"');
}

}  // namespace vesk
