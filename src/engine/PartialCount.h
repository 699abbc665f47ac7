// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Partial counts: the words of some files of a corpus, kept so that counts made apart (file by file, on
// other machines, later on other cores) merge into the table one count of the whole corpus would make.
//
// A word's place in the corpus is where it first occurs: the index of its file in the corpus, then its
// ordinal among the words first met in that file. Merging keeps each key's display form from its earliest
// place and sums its counts, so parts may be merged in any order and in any grouping. Only the order of
// places matters: counts of pieces of one file (tables counted side by side) place the words of each piece
// after those of the pieces before it, say with the piece's number in the high bits of the ordinal, and
// merge through the same CountParts.
//
// The text form (UTF-8, LF line ends, fields separated by tabs; a backslash, tab, line feed or carriage
// return inside a field written \\, \t, \n, \r):
//   vesk-count partial count<TAB>1                  the format and its version
//   option<TAB>NAME<TAB>VALUE                        every setting that shapes words, in a fixed order
//   file<TAB>INDEX<TAB>PATH<TAB>PROBLEM              each file of the part; PROBLEM empty when counted
//   words
//   FILE<TAB>ORDINAL<TAB>COUNT<TAB>WORD              one line per key, in order of first place
//   end<TAB>FILES<TAB>WORDS<TAB>OCCURRENCES          totals, which also show the part is whole

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "engine/WordTable.h"

namespace vesk {

inline constexpr int kPartialCountVersion = 1;

struct WordPlace {
    std::int64_t file = 0;
    std::int64_t ordinal = 0;
    auto operator<=>(const WordPlace&) const = default;
};

struct PartWord {
    WordPlace place;
    std::int64_t count = 0;
    std::string word;  // the display form
};

struct PartFile {
    std::int64_t index = 0;
    std::string path;
    std::string problem;  // why it was skipped; "" when counted
};

struct PartialCount {
    std::vector<std::pair<std::string, std::string>> options;  // the word-shaping settings
    std::vector<PartFile> files;                               // by index
    std::vector<PartWord> words;                               // by place
};

void WritePartialCount(std::ostream& out, const PartialCount& part);
// Reads a part; returns what is wrong with it, "" when nothing is.
std::string ReadPartialCount(std::istream& in, PartialCount& part);

// What keeps `parts` from being merged ("" when nothing): settings that differ, a file index in two parts.
// `names` name the parts in the message.
std::string CheckMergeable(const std::vector<PartialCount>& parts, const std::vector<std::string>& names);

// Counts the words of `parts` into the empty `table`, which is left unfinished, in corpus order. Returns the
// place of each record (record r at r - 1).
std::vector<WordPlace> CountParts(const std::vector<PartialCount>& parts, WordTable& table);

// The words of an unfinished table, whose record r is at places[r - 1], as a part holds them.
std::vector<PartWord> PartWordsOf(const WordTable& table, const std::vector<WordPlace>& places);

}  // namespace vesk
