#include "params/ParameterFormat.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "text/Encoding.h"

namespace vesk {

namespace {

// Longer lines are not parameter files; the limit keeps a damaged file from filling the memory.
constexpr std::size_t kMaxLineLength = 65536;

std::string ErrnoText(int number) { return std::generic_category().message(number); }

std::string LinePrefix(int lineNumber) { return "line " + std::to_string(lineNumber) + " "; }

// A failure of one line while reading; carries the description shown after the prefix.
struct LineFailure {
    std::string description;
};

// ---- Writing ----

// The line of a value, without its line end, as the program holds it (Windows-1252).
std::string FormatLine(const FieldSpec& spec, const ParameterValue& value) {
    switch (spec.form) {
        case FieldForm::Text:
            return '"' + value.text + '"';
        case FieldForm::Reserved:
            return "0";
        case FieldForm::ListIndex:
        case FieldForm::CheckBox:
            break;
    }
    return std::to_string(value.number);
}

// ---- Reading ----

struct RawLines {
    std::vector<std::string> lines;  // the lines read before the first failure
    std::optional<std::string> failure;
};

// Reads up to 37 lines of the file as bytes. Lines end at CR LF, at a lone LF and at a lone CR.
RawLines ReadRawLines(const std::string& path) {
    RawLines result;
    std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        result.failure = ErrnoText(path.empty() ? ENOENT : errno);
        return result;
    }
    std::string line;
    bool pendingCr = false;
    bool tooLong = false;
    char buffer[8192];
    while (!tooLong && static_cast<int>(result.lines.size()) < kParameterLineCount) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        if (n == 0) break;
        for (std::size_t i = 0; i < n && static_cast<int>(result.lines.size()) < kParameterLineCount; ++i) {
            const char c = buffer[i];
            if (pendingCr) {
                pendingCr = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                pendingCr = c == '\r';
                result.lines.push_back(std::move(line));
                line.clear();
            } else if (line.size() == kMaxLineLength) {
                tooLong = true;
                break;
            } else {
                line.push_back(c);
            }
        }
    }
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);

    const int lineNumber = static_cast<int>(result.lines.size()) + 1;
    if (tooLong) {
        result.failure =
            "line " + std::to_string(lineNumber) + " is longer than " + std::to_string(kMaxLineLength) + " characters";
    } else if (readError) {
        result.failure = ErrnoText(readErrno);
    } else if (static_cast<int>(result.lines.size()) < kParameterLineCount) {
        if (!line.empty()) result.lines.push_back(std::move(line));
        if (static_cast<int>(result.lines.size()) < kParameterLineCount)
            result.failure = "the file ends before line " + std::to_string(result.lines.size() + 1);
    }
    return result;
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

}  // namespace

std::string FormatParameterFile(const FieldSpecs& specs, const ParameterValues& values, std::string& bytes) {
    std::string content;
    for (int n = 1; n <= kParameterLineCount; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        if (specs[i].form == FieldForm::Text && values[i].text.find_first_of("\r\n") != std::string::npos)
            return LinePrefix(n) + "would hold a line break, which a parameter file cannot keep";
        const std::string line = Cp1252ToUtf8(FormatLine(specs[i], values[i]));
        if (line.size() > kMaxLineLength)
            return LinePrefix(n) + "would be longer than " + std::to_string(kMaxLineLength) +
                   " bytes, which a parameter file cannot keep";
        content += line;
        content += "\r\n";
    }
    bytes = std::move(content);
    return {};
}

std::string ReadParameterFile(const std::string& systemPath, const FieldSpecs& specs, ParameterValues& values) {
    RawLines raw = ReadRawLines(systemPath);
    if (!raw.lines.empty() && raw.lines[0].starts_with("\xEF\xBB\xBF")) raw.lines[0].erase(0, 3);
    // Files of the Windows program are in its code page; ours are UTF-8.
    bool utf8 = true;
    for (const std::string& line : raw.lines) utf8 = utf8 && IsValidUtf8(line);

    ParameterValues read;
    try {
        for (int n = 1; n <= static_cast<int>(raw.lines.size()); ++n) {
            const std::size_t i = static_cast<std::size_t>(n - 1);
            const std::string line = utf8 ? Utf8ToCp1252(raw.lines[i]) : raw.lines[i];
            switch (specs[i].form) {
                case FieldForm::Text:
                    read[i].text = ReadField(line, n);
                    break;
                case FieldForm::ListIndex:
                    read[i].number = ReadListIndex(line, n, specs[i].listSize);
                    break;
                case FieldForm::CheckBox:
                    read[i].number = ReadCheckBoxValue(line, n);
                    break;
                case FieldForm::Reserved:
                    ReadField(line, n);
                    break;
            }
        }
    } catch (const LineFailure& failure) {
        return failure.description;
    }
    if (raw.failure) return *raw.failure;
    values = std::move(read);
    return {};
}

}  // namespace vesk
