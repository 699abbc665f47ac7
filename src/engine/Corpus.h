// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of a corpus: the files and folders of a command line, each folder standing for every regular
// file below it.

#include <string>
#include <vector>

namespace vesk {

// Which files of a folder are taken, by their names (fnmatch patterns): with any includes, only the names
// matching one of them; never a name matching an exclude. Files named by themselves are always taken.
struct CorpusFilter {
    std::vector<std::string> include;
    std::vector<std::string> exclude;
    bool Takes(const std::string& fileName) const;
};

struct CorpusFile {
    std::string path;
    // Why the file cannot be counted, found while listing (a folder that cannot be read); "" when none is
    // known yet.
    std::string problem;
};

// The files of `arguments` in corpus order: the arguments in their order, a folder's files in byte order of
// their paths. Below a folder, hidden names (a leading ".") are skipped, symbolic links to folders are not
// followed and only regular files are taken; an argument that is not a folder is taken as it is.
std::vector<CorpusFile> ListCorpus(const std::vector<std::string>& arguments, const CorpusFilter& filter);

// Whether `file` is one of `corpus` or would lie below one of the folders of `arguments` (whether it exists
// yet or not).
bool LiesInCorpus(const std::string& file, const std::vector<std::string>& arguments,
                  const std::vector<CorpusFile>& corpus);

}  // namespace vesk
