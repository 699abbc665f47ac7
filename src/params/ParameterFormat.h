#pragma once
// The parameter file: 37 lines, one value each, shared by parameter files and the state file. This module
// turns values into the file's bytes and the file back into values; which control holds each value is the
// business of its callers (params/ParameterFile.cpp).

#include <array>
#include <string>

namespace vesk {

inline constexpr int kParameterLineCount = 37;

enum class FieldForm {
    Text,       // a quoted text
    ListIndex,  // an integer, -1 up to the list's last index
    CheckBox,   // an integer 0, 1 or 2
    Reserved,   // written as 0, read and dropped
};

// The form of one line, and for a list index the number of items of its list.
struct FieldSpec {
    FieldForm form = FieldForm::Reserved;
    int listSize = 0;
};
using FieldSpecs = std::array<FieldSpec, kParameterLineCount>;

// The value of one line: the text of a text line, the number of any other.
struct ParameterValue {
    std::string text;
    int number = 0;
    bool operator==(const ParameterValue&) const = default;
};
using ParameterValues = std::array<ParameterValue, kParameterLineCount>;

// The bytes of the file holding the values (texts are Windows-1252 in the program and UTF-8 in the file).
// Returns the description of a value the file could not give back, or "" with `bytes` filled.
std::string FormatParameterFile(const FieldSpecs& specs, const ParameterValues& values, std::string& bytes);

// Reads the whole file at `systemPath` and checks every one of its 37 lines; lines after the 37th are not
// read. Returns the description of the first failure, or "" with `values` filled. `values` is left as it
// was on failure, so that a caller can apply a file only when all of it is good.
std::string ReadParameterFile(const std::string& systemPath, const FieldSpecs& specs, ParameterValues& values);

}  // namespace vesk
