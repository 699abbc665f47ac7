// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of a scan and what a scan tells whoever drives it. Options are plain values: the driver sets
// them before a scan and again whenever they change.

#include <cstdint>
#include <string_view>

#include "engine/CharClasses.h"
#include "engine/CommentMarkers.h"

namespace vesk {

struct ScanOptions {
    AllowedCharacters allowed;  // what continues a word
    // Each line is lower-cased before it is split (letter case not significant).
    bool lowerCase = false;
    // A final "s" is dropped from a word, unless it follows a vowel, an "s" or an apostrophe.
    bool dropFinalS = false;
    // When false, the pieces of a contraction cut at its apostrophe ("s" and "t" alone, "couldn", "isn" and
    // the ends of such stems) are not words.
    bool apostrophesAllowed = false;
    // An underscore may start a word.
    bool underscoresStartWords = false;
    // The user's comment markers are in force (markers from the file type are in force regardless).
    bool userMarkersAllowed = false;
    CommentMarkers markers;
    bool operator==(const ScanOptions&) const = default;
};

// What the scanner reports while it counts, and where it asks whether to go on.
class ScanObserver {
  public:
    virtual ~ScanObserver() = default;
    // A word not in the table before has just been stored: `word` as found, `distinctWords` the table's
    // number of words with it. An exception thrown here ends the scan of the line, the word counted.
    virtual void OnNewWord(std::string_view word, std::int64_t distinctWords) {
        (void)word;
        (void)distinctWords;
    }
    // Asked after every word that the word-by-word scan takes from a line, counted or not; the observer may
    // first let other work run (the window's pending events), which may change the scanner's options. True
    // ends the scan of the line at once.
    virtual bool ShouldStop() { return false; }
    // True while ShouldStop() would do nothing and answer false: the scanner may then find all the words of
    // a line at once, without asking after each.
    virtual bool IsQuiet() const { return true; }
};

}  // namespace vesk
