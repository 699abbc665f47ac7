#pragma once
// Splits one line into words and counts each through the word table.

#include <array>
#include <string>

#include "app/CommentMarkers.h"
#include "scan/CharClasses.h"
#include "scan/ScanOptions.h"
#include "scan/WordTable.h"

namespace vesk {

// What the scanner calls between words: the event pump and the stop flag.
class ScanEvents {
  public:
    virtual ~ScanEvents() = default;
    virtual void PumpEvents() = 0;
    virtual bool IsStopRequested() const = 0;
};

class LineScanner {
  public:
    LineScanner(WordTable& table, CommentMarkers& comments, const LiveScanOptions& live);

    void SetLiveOptions(const LiveScanOptions& live) { m_live = live; }
    void SetSnapshot(const AllowSnapshot& snapshot);
    const AllowSnapshot& Snapshot() const { return m_snapshot; }
    void SetView(WordTableView* view) { m_view = view; }
    void SetEvents(ScanEvents* events) { m_events = events; }

    // ScanLine: `currentLine` is the line as the caller prepared it (trimmed, lower-cased unless case is
    // significant, one space appended); it is rewritten in place. After every word taken from the line
    // (counted or not) the events are pumped and the stop flag read; a stop returns at once. The comment
    // state of `comments` carries over to the next line.
    void ScanLine(std::string& currentLine);

  private:
    void PrepareLine(std::string& line) const;
    // The comment step at `pos`; false when the scan of the line ends there.
    bool CommentStep(std::string_view line, std::size_t& pos);
    void RefreshMarkerStarts();

    WordTable& m_table;
    CommentMarkers& m_comments;
    LiveScanOptions m_live;
    AllowSnapshot m_snapshot;
    WordTableView* m_view = nullptr;
    ScanEvents* m_events = nullptr;

    WordCharTable m_letters;  // characters that start a word (underscores are tested apart)
    // Per character under the snapshot: kInner when it continues a word, kNotPlain when a word holding it
    // is not its own key (capitals, codes from 128), kSpecialEnd when a word ending in it may be changed
    // by normalisation.
    enum : unsigned char { kInner = 1, kNotPlain = 2, kSpecialEnd = 4 };
    std::array<unsigned char, 256> m_classes{};
    // Characters that may begin a start marker (either case), for the markers in m_markerStarts.
    std::array<bool, 256> m_markerFirst{};
    std::string m_markerStarts[2];
};

}  // namespace vesk
