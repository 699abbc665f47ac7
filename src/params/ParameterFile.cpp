// The parameter file: 37 lines, one value each, shared by parameter files and the state file.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/MainWindow.h"
#include "app/RunError.h"
#include "params/ParamsWindow.h"
#include "text/Encoding.h"

namespace vesk {

namespace {

constexpr int kLineCount = 37;
// Longer lines are not parameter files; the limit keeps a damaged file from filling the memory.
constexpr std::size_t kMaxLineLength = 65536;

constexpr const char* kSavePrefix = "Error when attempting to save parameters: ";
constexpr const char* kRestorePrefix = "Error when attempting to restore parameters: ";

std::string ErrnoText(int number) { return std::generic_category().message(number); }

// A failure of one line while reading; carries the description shown after the prefix.
struct LineFailure {
    std::string description;
};

// ---- Writing ----

// Writes the bytes to a temporary file beside `path` and renames it over `path`, so that a failed save
// leaves the previous file as it was. Returns the failure's description, or "".
std::string WriteFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    if (path.empty()) return ErrnoText(ENOENT);
    fs::path target(path);
    std::error_code ec;
    // Replacing a symbolic link would cut it from the file it points to: write to that file instead.
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return ErrnoText(errno);

    // The new file gets the permissions of the one it replaces, else the usual ones of a new file.
    mode_t mode;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    int failure = 0;
    if (::fchmod(fd, mode) != 0) failure = errno;
    std::size_t written = 0;
    while (failure == 0 && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno != EINTR) failure = errno;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && std::rename(temporary.data(), target.c_str()) != 0) failure = errno;
    if (failure != 0) {
        ::unlink(temporary.data());
        return ErrnoText(failure);
    }
    return {};
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
    while (!tooLong && static_cast<int>(result.lines.size()) < kLineCount) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        if (n == 0) break;
        for (std::size_t i = 0; i < n && static_cast<int>(result.lines.size()) < kLineCount; ++i) {
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
    } else if (static_cast<int>(result.lines.size()) < kLineCount) {
        if (!line.empty()) result.lines.push_back(std::move(line));
        if (static_cast<int>(result.lines.size()) < kLineCount)
            result.failure = "the file ends before line " + std::to_string(result.lines.size() + 1);
    }
    return result;
}

std::string FailurePrefix(int lineNumber) { return "line " + std::to_string(lineNumber) + " "; }

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
    if (close == start) throw LineFailure{FailurePrefix(lineNumber) + "has no closing double quote"};
    if (line.find_first_not_of(' ', close + 1) != std::string::npos)
        throw LineFailure{FailurePrefix(lineNumber) + "holds text after its closing double quote"};
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
        throw LineFailure{FailurePrefix(lineNumber) + "does not hold a check-box value (0, 1 or 2)"};
    return static_cast<int>(value);
}

int ReadListIndex(const std::string& line, int lineNumber, const ComboBox& list) {
    const std::optional<double> number = LeadingNumber(ReadField(line, lineNumber));
    if (!number) throw LineFailure{FailurePrefix(lineNumber) + "does not hold a number"};
    const double value = RoundHalfEven(*number);
    if (value < -1 || value >= static_cast<double>(list.Items().size()))
        throw LineFailure{FailurePrefix(lineNumber) + "holds a list index out of range"};
    return static_cast<int>(value);
}

// What a load may change that makes the words of the last count stale.
struct ScanInputs {
    std::vector<int> wordForming;
    std::vector<std::string> texts;
    bool operator==(const ScanInputs&) const = default;
};

ScanInputs CaptureScanInputs(const MainWindow& main, const ParamsWindow& p) {
    ScanInputs inputs;
    for (const CheckBox* box :
         {&p.chkCaseSignificant, &p.chkDropFinalS, &p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes,
          &p.chkAllowWordsWithUnderscores, &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes,
          &p.chkAllowWordsWithForwardslashes, &p.chkAllowWordsWithPeriods, &p.chkAllowWordsWithAtSigns,
          &p.chkAllowWordsWithNumerals, &p.chkAllowCommentMarkers})
        inputs.wordForming.push_back(box->Value());
    inputs.texts = {main.txbFile[0].Text(), p.txbStartComment[0].Text(), p.txbEndComment[0].Text(),
                    p.txbStartComment[1].Text(), p.txbEndComment[1].Text()};
    return inputs;
}

}  // namespace

std::string MainWindow::SaveState(const std::string& strParameterFile) {
    const std::string& file = strParameterFile.empty() ? strStateFile : strParameterFile;
    const ParamsWindow& p = *frmParams;

    std::string content;
    int lineNumber = 0;
    std::string failure;
    auto text = [&](const std::string& value) {
        ++lineNumber;
        if (failure.empty() && value.find_first_of("\r\n") != std::string::npos)
            failure = FailurePrefix(lineNumber) + "would hold a line break, which a parameter file cannot keep";
        content += '"';
        content += value;
        content += "\"\r\n";
    };
    auto number = [&](int value) {
        ++lineNumber;
        content += std::to_string(value);
        content += "\r\n";
    };

    text(txbFile[0].Text());
    text(txbFile[1].Text());
    text(p.txbWordsToIgnore.Text());
    text(p.txbStartComment[0].Text());
    text(p.txbEndComment[0].Text());
    text(p.txbStartComment[1].Text());
    text(p.txbEndComment[1].Text());
    number(p.cboShortWordSize.ListIndex());
    number(p.cboLongWordSize.ListIndex());
    number(p.cboThresholdFrequency.ListIndex());
    for (const CheckBox* box :
         {&p.chkIgnoreShortWords, &p.chkIgnoreInfrequentWords, &p.chkIgnoreCommonWords, &p.chkIgnoreRepetitions,
          &p.chkIgnoreRomNum40, &p.chkIgnoreNoVowelOrY, &p.chkCaseSignificant, &p.chkDropFinalS,
          &p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes, &p.chkAllowWordsWithUnderscores,
          &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes, &p.chkAllowWordsWithForwardslashes,
          &p.chkAllowWordsWithPeriods, &p.chkAllowWordsWithAtSigns, &p.chkAllowWordsWithNumerals,
          &p.chkOutputWithCommas})
        number(box->Value());
    number(0);  // reserved
    number(p.chkAllowCommentMarkers.Value());
    number(p.chkWarnOnOverwrite.Value());
    number(p.chkSaveStateOnQuit.Value());
    number(chkSuppressWords.Value());
    number(chkDisableOutputToFile.Value());
    number(cboWordOrder.ListIndex());
    number(cboDisplayFormat.ListIndex());
    text(strCommonWordsFile);

    if (failure.empty()) failure = WriteFileAtomically(Cp1252ToUtf8(file), Cp1252ToUtf8(content));
    return failure.empty() ? std::string()
                           : kSavePrefix + failure + "\r\n" +
                                 FileLine(strParameterFile.empty() ? "State file" : "Parameter file", file);
}

std::string MainWindow::RestoreSavedState(const std::string& strParameterFile) {
    const std::string& file = strParameterFile.empty() ? strStateFile : strParameterFile;
    ParamsWindow& p = *frmParams;

    RawLines raw = ReadRawLines(Cp1252ToUtf8(file));
    if (!raw.lines.empty() && raw.lines[0].starts_with("\xEF\xBB\xBF")) raw.lines[0].erase(0, 3);
    bool utf8 = true;
    for (const std::string& line : raw.lines) utf8 = utf8 && IsValidUtf8(line);

    const ScanInputs before = CaptureScanInputs(*this, p);
    const std::string commonWordsFileBefore = strCommonWordsFile;
    std::string failure;
    try {
        for (int n = 1; n <= static_cast<int>(raw.lines.size()); ++n) {
            const std::string line = utf8 ? Utf8ToCp1252(raw.lines[n - 1]) : raw.lines[n - 1];
            for (char c : line)
                if (static_cast<unsigned char>(c) < 32 && c != '\t')
                    throw LineFailure{FailurePrefix(n) + "holds a control character"};
            switch (n) {
                case 1:
                    txbFile[0].SetText(ReadField(line, n));
                    break;
                case 2:
                    txbFile[1].SetText(ReadField(line, n));
                    break;
                case 3:
                    p.txbWordsToIgnore.SetText(ReadField(line, n));
                    p.txbWordsToIgnore_LostFocus();
                    break;
                case 4:
                    p.txbStartComment[0].SetText(ReadField(line, n));
                    break;
                case 5:
                    p.txbEndComment[0].SetText(ReadField(line, n));
                    break;
                case 6:
                    p.txbStartComment[1].SetText(ReadField(line, n));
                    break;
                case 7:
                    p.txbEndComment[1].SetText(ReadField(line, n));
                    break;
                case 8:
                    p.cboShortWordSize.SetListIndex(ReadListIndex(line, n, p.cboShortWordSize));
                    break;
                case 9:
                    p.cboLongWordSize.SetListIndex(ReadListIndex(line, n, p.cboLongWordSize));
                    break;
                case 10:
                    p.cboThresholdFrequency.SetListIndex(ReadListIndex(line, n, p.cboThresholdFrequency));
                    break;
                case 11:
                    p.chkIgnoreShortWords.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 12:
                    p.chkIgnoreInfrequentWords.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 13:
                    p.chkIgnoreCommonWords.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 14:
                    p.chkIgnoreRepetitions.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 15:
                    p.chkIgnoreRomNum40.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 16:
                    p.chkIgnoreNoVowelOrY.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 17:
                    p.chkCaseSignificant.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 18:
                    p.chkDropFinalS.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 19:
                    p.chkAllowWordsWithHyphens.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 20:
                    p.chkAllowWordsWithApostrophes.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 21:
                    p.chkAllowWordsWithUnderscores.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 22:
                    p.chkAllowWordsWithColons.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 23:
                    p.chkAllowWordsWithBackslashes.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 24:
                    p.chkAllowWordsWithForwardslashes.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 25:
                    p.chkAllowWordsWithPeriods.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 26:
                    p.chkAllowWordsWithAtSigns.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 27:
                    p.chkAllowWordsWithNumerals.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 28:
                    p.chkOutputWithCommas.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 29:
                    ReadField(line, n);
                    break;
                case 30:
                    p.chkAllowCommentMarkers.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 31:
                    p.chkWarnOnOverwrite.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 32:
                    p.chkSaveStateOnQuit.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 33:
                    chkSuppressWords.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 34:
                    chkDisableOutputToFile.SetValue(ReadCheckBoxValue(line, n));
                    break;
                case 35:
                    cboWordOrder.SetListIndex(ReadListIndex(line, n, cboWordOrder));
                    break;
                case 36:
                    cboDisplayFormat.SetListIndex(ReadListIndex(line, n, cboDisplayFormat));
                    break;
                case 37:
                    strCommonWordsFile = ReadField(line, n);
                    p.txbCommonWordsFile.SetText(strCommonWordsFile);
                    break;
            }
        }
        if (raw.failure) failure = *raw.failure;
    } catch (const LineFailure& lineFailure) {
        failure = lineFailure.description;
    } catch (const RunError& error) {
        failure = error.Description();
    }

    // Values applied before a failure stay applied, so these hold after a failed load too.
    if (!(CaptureScanInputs(*this, p) == before)) blnWordsGot = false;
    if (strCommonWordsFile != commonWordsFileBefore) blnCommonWordsLoaded = false;

    if (!failure.empty())
        return kRestorePrefix + failure + "\r\n" +
               FileLine(strParameterFile.empty() ? "State file" : "Parameter file", file);

    UpdateDisableOutputOption();
    for (const ComboBox* list :
         {&p.cboShortWordSize, &p.cboLongWordSize, &p.cboThresholdFrequency, &cboWordOrder, &cboDisplayFormat})
        if (list->ListIndex() == -1) return "Invalid combo box index";
    return {};
}

}  // namespace vesk
