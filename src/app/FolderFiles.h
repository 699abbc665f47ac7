// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder as the input: the files vesk-count would take from it, in its order, with their sizes.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Corpus.h"

namespace vesk {

struct FolderFiles {
    std::vector<CorpusFile> files;
    std::vector<std::int64_t> sizes;  // 0 for a file whose size cannot be known
    std::int64_t totalBytes = 0;
};

FolderFiles ListFolderFiles(const std::string& folder);

// Whether a name, as typed, is that of a folder.
bool IsInputFolder(const std::string& name);

// "Folder: 1,234 files, 56,789,012 bytes"
std::string FolderSizeLine(const FolderFiles& folder);

}  // namespace vesk
