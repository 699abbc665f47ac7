// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Corpus.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vesk {

namespace {

namespace fs = std::filesystem;

bool MatchesAny(const std::vector<std::string>& patterns, const std::string& name) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& p) { return ::fnmatch(p.c_str(), name.c_str(), 0) == 0; });
}

// Every file below `folder` that the filter takes, in no particular order; a folder that cannot be read is
// listed with its problem.
void Walk(const fs::path& folder, const CorpusFilter& filter, std::vector<CorpusFile>& files) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        files.push_back({folder.string(), ec.message()});
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path& path = it->path();
        const std::string name = path.filename().string();
        if (name.starts_with('.')) continue;
        std::error_code statusError;
        const fs::file_status own = it->symlink_status(statusError);
        if (fs::is_directory(own)) {
            Walk(path, filter, files);
            continue;
        }
        // A link is followed only to a regular file.
        const fs::file_status target = fs::is_symlink(own) ? fs::status(path, statusError) : own;
        if (fs::is_regular_file(target) && filter.Takes(name)) files.push_back({path.string(), {}});
    }
    if (ec) files.push_back({folder.string(), ec.message()});
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::status(path, ec));
}

}  // namespace

bool CorpusFilter::Takes(const std::string& fileName) const {
    return (include.empty() || MatchesAny(include, fileName)) && !MatchesAny(exclude, fileName);
}

std::vector<CorpusFile> ListCorpus(const std::vector<std::string>& arguments, const CorpusFilter& filter) {
    std::vector<CorpusFile> corpus;
    for (const std::string& argument : arguments) {
        if (!IsFolder(argument)) {
            corpus.push_back({argument, {}});
            continue;
        }
        std::vector<CorpusFile> files;
        Walk(fs::path(argument), filter, files);
        std::sort(files.begin(), files.end(), [](const CorpusFile& a, const CorpusFile& b) { return a.path < b.path; });
        corpus.insert(corpus.end(), files.begin(), files.end());
    }
    return corpus;
}

bool LiesInCorpus(const std::string& file, const std::vector<std::string>& arguments,
                  const std::vector<CorpusFile>& corpus) {
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(fs::absolute(file, ec), ec);
    for (const std::string& argument : arguments) {
        if (!IsFolder(argument)) continue;
        const fs::path folder = fs::weakly_canonical(fs::absolute(argument, ec), ec);
        const auto [end, unused] = std::mismatch(folder.begin(), folder.end(), target.begin(), target.end());
        if (end == folder.end()) return true;
    }
    return std::any_of(corpus.begin(), corpus.end(), [&](const CorpusFile& f) {
        std::error_code error;
        return fs::equivalent(f.path, file, error) && !error;
    });
}

}  // namespace vesk
