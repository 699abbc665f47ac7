#include "scan/Normalisation.h"

// Placeholder: not written yet.

namespace vesk {

std::string FoldAccents(std::string_view w) { return std::string(w); }
std::string WordKey(std::string_view w) { return std::string(w); }
bool IsVowel(std::string_view, bool) { return false; }
bool IsContractionStem(std::string_view) { return false; }
std::string NormaliseWord(std::string_view run, bool, bool) { return std::string(run); }

}  // namespace vesk
