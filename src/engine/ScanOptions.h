#pragma once
// The options the scanner works with.

namespace vesk {

// The nine "Allow 'words' with:" options as copied at the start of each run (the run snapshot).
struct AllowSnapshot {
    bool hyphens = false;
    bool apostrophes = false;
    bool underscores = false;
    bool colons = false;
    bool backslashes = false;
    bool forwardslashes = false;
    bool periods = false;
    bool atsigns = false;
    bool numerals = false;
    bool operator==(const AllowSnapshot&) const = default;
};

// Options the scanner reads from their check boxes at the moment it needs them, not from the snapshot:
// each points at a check box's value (0, 1 or 2).
struct LiveScanOptions {
    const int* dropFinalS = nullptr;
    const int* allowApostrophes = nullptr;
    const int* allowUnderscores = nullptr;
    const int* allowCommentMarkers = nullptr;
};

}  // namespace vesk
