// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ParameterFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/Encoding.h"
#include "settings/AtomicSave.h"

namespace vesk {

namespace {

// Longer lines are not parameter files; the limit keeps a damaged file from filling the memory.
constexpr std::size_t kMaxLineLength = 65536;

constexpr const char* kSavePrefix = "Error when attempting to save parameters: ";
constexpr const char* kRestorePrefix = "Error when attempting to restore parameters: ";

std::string ErrnoText(int number) { return std::generic_category().message(number); }

std::string LinePrefix(int lineNumber) { return "line " + std::to_string(lineNumber) + " "; }

// A failure of one line while reading; carries the description shown after the prefix.
struct LineFailure {
    std::string description;
};

// ---- Writing ----

// The line of a value, without its line end.
std::string FormatLine(const ParameterField& field, const ParameterSet& set) {
    switch (field.form) {
        case FieldForm::Text:
            return '"' + set.*field.text + '"';
        case FieldForm::Reserved:
            return "0";
        case FieldForm::ListIndex:
        case FieldForm::CheckBox:
            break;
    }
    return std::to_string(set.*field.number);
}

// ---- Reading ----

struct RawLines {
    std::vector<std::string> lines;  // the lines read before the first failure
    std::optional<std::string> failure;
};

// Splits the bytes of a file into its first 37 lines. Lines end at CR LF, at a lone LF and at a lone CR.
class LineSplitter {
  public:
    // Takes the next bytes of the file; false once it wants no more.
    bool Feed(std::string_view bytes) {
        for (const char c : bytes) {
            if (Full()) break;
            if (m_pendingCr) {
                m_pendingCr = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                m_pendingCr = c == '\r';
                m_raw.lines.push_back(std::move(m_line));
                m_line.clear();
            } else if (m_line.size() == kMaxLineLength) {
                m_tooLong = true;
                break;
            } else {
                m_line.push_back(c);
            }
        }
        return !m_tooLong && !Full();
    }

    // The lines once the file has ended, or once reading it failed with `readFailure`.
    RawLines Finish(std::optional<std::string> readFailure) {
        const std::size_t lineNumber = m_raw.lines.size() + 1;
        if (m_tooLong) {
            m_raw.failure = "line " + std::to_string(lineNumber) + " is longer than " + std::to_string(kMaxLineLength) +
                            " characters";
        } else if (readFailure) {
            m_raw.failure = std::move(readFailure);
        } else if (!Full()) {
            if (!m_line.empty()) m_raw.lines.push_back(std::move(m_line));
            if (!Full()) m_raw.failure = "the file ends before line " + std::to_string(m_raw.lines.size() + 1);
        }
        return std::move(m_raw);
    }

  private:
    bool Full() const { return static_cast<int>(m_raw.lines.size()) == kParameterLineCount; }

    RawLines m_raw;
    std::string m_line;
    bool m_pendingCr = false;
    bool m_tooLong = false;
};

// Reads up to 37 lines of the file as bytes.
RawLines ReadRawLines(const std::string& path) {
    std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (file == nullptr) return {{}, ErrnoText(path.empty() ? ENOENT : errno)};
    LineSplitter splitter;
    char buffer[8192];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        if (!splitter.Feed(std::string_view(buffer, n))) break;
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    return splitter.Finish(readError ? std::optional<std::string>(ErrnoText(readErrno)) : std::nullopt);
}

// The field of a line: leading blanks skipped; a quoted field runs to the last quote of the line, so that a
// text holding quotes reads back whole; an unquoted one to the first comma.
std::string ReadField(const std::string& line, int lineNumber) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    if (line[start] != '"') {
        const std::size_t comma = line.find(',', start);
        return line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    }
    const std::size_t close = line.rfind('"');
    if (close == start) throw LineFailure{LinePrefix(lineNumber) + "has no closing double quote"};
    if (line.find_first_not_of(' ', close + 1) != std::string::npos)
        throw LineFailure{LinePrefix(lineNumber) + "holds text after its closing double quote"};
    return line.substr(start + 1, close - start - 1);
}

// The numeric value of the number at the start of the text, blanks ignored; nothing when there is none.
std::optional<double> LeadingNumber(std::string_view field) {
    std::string digits;
    for (char c : field)
        if (c != ' ' && c != '\t') digits.push_back(c);
    std::size_t i = 0;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) ++i;
    std::size_t mantissaDigits = 0;
    while (i < digits.size() && digits[i] >= '0' && digits[i] <= '9') ++i, ++mantissaDigits;
    if (i < digits.size() && digits[i] == '.') {
        ++i;
        while (i < digits.size() && digits[i] >= '0' && digits[i] <= '9') ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::nullopt;
    std::size_t end = i;
    if (i < digits.size() && (digits[i] == 'e' || digits[i] == 'E' || digits[i] == 'd' || digits[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < digits.size() && (digits[j] == '+' || digits[j] == '-')) ++j;
        const std::size_t exponentStart = j;
        while (j < digits.size() && digits[j] >= '0' && digits[j] <= '9') ++j;
        if (j > exponentStart) {
            digits[i] = 'e';
            end = j;
        }
    }
    const char* first = digits.data() + (digits[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, digits.data() + end, value);
    if (ec == std::errc::result_out_of_range) return digits[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    if (ec != std::errc()) return std::nullopt;
    return value;
}

// Rounded to the nearest integer, halves to the even neighbour (1.5 and 2.5 both give 2).
double RoundHalfEven(double value) {
    const double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return rounded;
}

int ReadCheckBoxValue(const std::string& line, int lineNumber) {
    const double value = RoundHalfEven(LeadingNumber(ReadField(line, lineNumber)).value_or(0.0));
    if (value != 0 && value != 1 && value != 2)
        throw LineFailure{LinePrefix(lineNumber) + "does not hold a check-box value (0, 1 or 2)"};
    return static_cast<int>(value);
}

int ReadListIndex(const std::string& line, int lineNumber, int listSize) {
    const std::optional<double> number = LeadingNumber(ReadField(line, lineNumber));
    if (!number) throw LineFailure{LinePrefix(lineNumber) + "does not hold a number"};
    const double value = RoundHalfEven(*number);
    if (value < -1 || value >= static_cast<double>(listSize))
        throw LineFailure{LinePrefix(lineNumber) + "holds a list index out of range"};
    return static_cast<int>(value);
}

// The message of a failure of the file, with the line that names it.
std::string FileFailure(const char* prefix, const std::string& description, const std::string& fileLine) {
    return prefix + description + (fileLine.empty() ? "" : "\r\n" + fileLine);
}

// Checks every line read and fills `set` when all of them, and the file, are good.
std::string ReadLines(RawLines raw, ParameterSet& set, const std::string& fileLine) {
    if (!raw.lines.empty() && raw.lines[0].starts_with("\xEF\xBB\xBF")) raw.lines[0].erase(0, 3);
    // Files written in the Windows code page are read in it; ours are UTF-8.
    bool utf8 = true;
    for (const std::string& line : raw.lines) utf8 = utf8 && IsValidUtf8(line);

    ParameterSet read;
    try {
        for (std::size_t i = 0; i < raw.lines.size(); ++i) {
            const ParameterField& field = kParameterFields[i];
            const std::string line = utf8 ? raw.lines[i] : Cp1252ToUtf8(raw.lines[i]);
            switch (field.form) {
                case FieldForm::Text:
                    read.*field.text = ReadField(line, field.line);
                    break;
                case FieldForm::ListIndex:
                    read.*field.number = ReadListIndex(line, field.line, field.listSize);
                    break;
                case FieldForm::CheckBox:
                    read.*field.number = ReadCheckBoxValue(line, field.line);
                    break;
                case FieldForm::Reserved:
                    ReadField(line, field.line);
                    break;
            }
        }
    } catch (const LineFailure& failure) {
        return FileFailure(kRestorePrefix, failure.description, fileLine);
    }
    if (raw.failure) return FileFailure(kRestorePrefix, *raw.failure, fileLine);
    // A list without a choice is a good file that the program cannot apply.
    for (const ParameterField& field : kParameterFields)
        if (field.form == FieldForm::ListIndex && read.*field.number == -1) return "Invalid combo box index";
    set = std::move(read);
    return {};
}

}  // namespace

std::string FormatParameterFile(const ParameterSet& set, std::string& bytes) {
    std::string content;
    for (const ParameterField& field : kParameterFields) {
        if (field.form == FieldForm::Text && (set.*field.text).find_first_of("\r\n") != std::string::npos)
            return LinePrefix(field.line) + "would hold a line break, which a parameter file cannot keep";
        const std::string line = FormatLine(field, set);
        if (line.size() > kMaxLineLength)
            return LinePrefix(field.line) + "would be longer than " + std::to_string(kMaxLineLength) +
                   " bytes, which a parameter file cannot keep";
        content += line;
        content += "\r\n";
    }
    bytes = std::move(content);
    return {};
}

std::string WriteParameterFile(const std::string& systemPath, const ParameterSet& set, const std::string& fileLine) {
    std::string bytes;
    std::string failure = FormatParameterFile(set, bytes);
    if (failure.empty()) failure = WriteFileAtomically(systemPath, bytes);
    return failure.empty() ? std::string() : FileFailure(kSavePrefix, failure, fileLine);
}

std::string ReadParameterFile(const std::string& systemPath, ParameterSet& set, const std::string& fileLine) {
    return ReadLines(ReadRawLines(systemPath), set, fileLine);
}

std::string ParseParameterFile(std::string_view bytes, ParameterSet& set) {
    LineSplitter splitter;
    splitter.Feed(bytes);
    return ReadLines(splitter.Finish(std::nullopt), set, {});
}

}  // namespace vesk
