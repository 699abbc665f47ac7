#include "scan/CharClasses.h"

// Placeholder: not written yet.

namespace vesk {

char LowerChar(char c) { return c; }
char UpperChar(char c) { return c; }
std::string LowerCase(std::string_view t) { return std::string(t); }
std::string UpperCase(std::string_view t) { return std::string(t); }
std::string TrimSpaces(std::string_view t) { return std::string(t); }
bool IsWordChar(char, bool, std::string_view) { return false; }
std::int32_t CountWordChars(std::string_view, std::int32_t, bool, std::string_view) { return 0; }
std::string AllowedInnerChars(const AllowSnapshot&) { return {}; }

}  // namespace vesk
