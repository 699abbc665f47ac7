// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTML named character references of the Latin-1 letters.

#include <string>
#include <string_view>

namespace vesk {

// The letter (its code point, U+00C0 to U+00FF) named by a whole reference such as "&eacute;", or -1.
// Case-sensitive.
int NamedEntityLetter(std::string_view reference);
// Replaces each such reference in the line by the UTF-8 of its letter, from left to right; text between an
// "&" and the next ";" that is not such a reference is left alone and not searched again. Returns whether
// any was replaced.
bool ReplaceNamedEntities(std::string& line);

}  // namespace vesk
