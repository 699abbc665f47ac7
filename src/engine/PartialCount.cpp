// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PartialCount.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <istream>
#include <map>
#include <ostream>
#include <string_view>

#include "engine/Encoding.h"

namespace vesk {

namespace {

constexpr const char* kMagic = "vesk-count partial count";
constexpr std::int64_t kMostOccurrences = std::int64_t{1} << 52;

void WriteEscaped(std::ostream& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '\\':
                out << "\\\\";
                break;
            case '\t':
                out << "\\t";
                break;
            case '\n':
                out << "\\n";
                break;
            case '\r':
                out << "\\r";
                break;
            default:
                out << c;
        }
    }
}

bool Unescape(std::string_view field, std::string& text) {
    text.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size()) return false;
        switch (field[i]) {
            case '\\':
                text += '\\';
                break;
            case 't':
                text += '\t';
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            default:
                return false;
        }
    }
    return IsValidUtf8(text);
}

// The fields of a line: no line of the format has more than four, so a fifth marks a line not of it. Kept on
// the stack, as there is one line per word.
struct LineFields {
    std::array<std::string_view, 5> field;
    std::size_t count = 0;
    std::size_t size() const { return count; }
    std::string_view operator[](std::size_t i) const { return field[i]; }
};

LineFields Fields(std::string_view line) {
    LineFields fields;
    std::size_t start = 0;
    while (fields.count < fields.field.size()) {
        const std::size_t tab = line.find('\t', start);
        fields.field[fields.count++] = line.substr(start, tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return fields;
}

bool Number(std::string_view field, std::int64_t& value) {
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && ptr == field.data() + field.size() && value >= 0;
}

class PartReader {
  public:
    PartReader(std::istream& in, PartialCount& part) : m_in(in), m_part(part) {}

    std::string Read() {
        if (!Next() || m_line != std::string(kMagic) + "\t" + std::to_string(kPartialCountVersion))
            return m_line.starts_with(kMagic) ? "a partial count of another format version" : "not a partial count";
        while (Next() && m_line.starts_with("option\t")) {
            const auto f = Fields(m_line);
            std::string name, value;
            if (f.size() != 3 || !Unescape(f[1], name) || !Unescape(f[2], value)) return Bad();
            m_part.options.emplace_back(std::move(name), std::move(value));
        }
        for (; m_line.starts_with("file\t"); Next()) {
            const auto f = Fields(m_line);
            PartFile file;
            if (f.size() != 4 || !Number(f[1], file.index) || !Unescape(f[2], file.path) ||
                !Unescape(f[3], file.problem))
                return Bad();
            m_part.files.push_back(std::move(file));
        }
        if (m_line != "words") return Bad();
        std::int64_t occurrences = 0;
        while (Next() && !m_line.starts_with("end\t")) {
            const auto f = Fields(m_line);
            PartWord word;
            if (f.size() != 4 || !Number(f[0], word.place.file) || !Number(f[1], word.place.ordinal) ||
                !Number(f[2], word.count) || word.count == 0 || !Unescape(f[3], word.word) || word.word.empty())
                return Bad();
            // Far beyond any corpus, and a sum of parts cannot overflow.
            if (word.count > kMostOccurrences - occurrences) return "more occurrences than a part may hold";
            occurrences += word.count;
            m_part.words.push_back(std::move(word));
        }
        const auto f = Fields(m_line);
        std::int64_t files = 0, words = 0, total = 0;
        if (f.size() != 4 || f[0] != "end" || !Number(f[1], files) || !Number(f[2], words) || !Number(f[3], total))
            return "incomplete (no end line)";
        if (files != static_cast<std::int64_t>(m_part.files.size()) ||
            words != static_cast<std::int64_t>(m_part.words.size()) || total != occurrences)
            return "its totals do not match its lines";
        return {};
    }

  private:
    bool Next() {
        ++m_number;
        if (!std::getline(m_in, m_line)) {
            m_line.clear();
            return false;
        }
        return true;
    }
    std::string Bad() const { return "line " + std::to_string(m_number) + " is not of the format"; }

    std::istream& m_in;
    PartialCount& m_part;
    std::string m_line;
    std::int64_t m_number = 0;
};

}  // namespace

void WritePartialCount(std::ostream& out, const PartialCount& part) {
    out << kMagic << '\t' << kPartialCountVersion << '\n';
    for (const auto& [name, value] : part.options) {
        out << "option\t";
        WriteEscaped(out, name);
        out << '\t';
        WriteEscaped(out, value);
        out << '\n';
    }
    for (const PartFile& file : part.files) {
        out << "file\t" << file.index << '\t';
        WriteEscaped(out, file.path);
        out << '\t';
        WriteEscaped(out, file.problem);
        out << '\n';
    }
    out << "words\n";
    std::int64_t occurrences = 0;
    for (const PartWord& w : part.words) {
        out << w.place.file << '\t' << w.place.ordinal << '\t' << w.count << '\t';
        WriteEscaped(out, w.word);
        out << '\n';
        occurrences += w.count;
    }
    out << "end\t" << part.files.size() << '\t' << part.words.size() << '\t' << occurrences << '\n';
}

std::string ReadPartialCount(std::istream& in, PartialCount& part) {
    part = PartialCount{};
    return PartReader(in, part).Read();
}

std::string CheckMergeable(const std::vector<PartialCount>& parts, const std::vector<std::string>& names) {
    std::map<std::int64_t, std::size_t> owners;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 && parts[i].options != parts[0].options) {
            std::string text = "the parts were counted with different word-shaping options: ";
            for (std::size_t k = 0; k < std::max(parts[0].options.size(), parts[i].options.size()); ++k) {
                const auto value = [&](std::size_t p) {
                    const auto& o = parts[p].options;
                    return k < o.size() ? o[k].first + " '" + o[k].second + "'" : std::string("nothing");
                };
                if (value(0) != value(i))
                    return text + names[0] + " has " + value(0) + ", " + names[i] + " " + value(i);
            }
            return text + names[0] + ", " + names[i];
        }
        for (const PartFile& file : parts[i].files) {
            const auto [at, added] = owners.emplace(file.index, i);
            if (!added)
                return "file index " + std::to_string(file.index) + " is in " + names[at->second] + " and in " +
                       names[i] + " (give each file its own --corpus-index)";
        }
    }
    return {};
}

std::vector<WordPlace> CountParts(const std::vector<PartialCount>& parts, WordTable& table) {
    std::vector<const PartWord*> words;
    for (const PartialCount& part : parts)
        for (const PartWord& w : part.words) words.push_back(&w);
    const auto earlier = [](const PartWord* a, const PartWord* b) { return a->place < b->place; };
    // A single part, or parts given in corpus order, are in order already.
    if (!std::is_sorted(words.begin(), words.end(), earlier)) std::stable_sort(words.begin(), words.end(), earlier);
    std::vector<WordPlace> places;
    places.reserve(words.size());
    for (const PartWord* w : words) {
        const std::uint32_t record = table.Add(w->word);
        if (record == 0) continue;
        if (record > places.size()) places.push_back(w->place);
        table.CountAgain(record, w->count - 1);
    }
    return places;
}

std::vector<PartWord> PartWordsOf(const WordTable& table, const std::vector<WordPlace>& places) {
    std::vector<PartWord> words;
    words.reserve(places.size());
    for (std::int64_t record = 1; record <= table.DistinctWordCount(); ++record)
        words.push_back(
            {places[static_cast<std::size_t>(record - 1)], table.Frequency(record), std::string(table.Word(record))});
    return words;
}

}  // namespace vesk
