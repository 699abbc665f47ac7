// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a whole file so that a failed or interrupted save leaves the previous file as it was.

#include <functional>
#include <iosfwd>
#include <string>

namespace vesk {

// For tests that interrupt a save: called with the temporary file's path once it exists, before any byte of
// the new content is written to it.
using SaveProbe = void (*)(const char* temporaryPath);

// Writes the bytes to a temporary file beside the file `path` names and renames it over that file. Returns the
// failure's description, or "".
//
// - Symbolic links are followed, each relative one from its own folder, and kept: the save replaces the file at
//   the end of the chain, or makes it when it does not exist yet but its folder does. A chain into a missing
//   folder fails ("No such file or directory"), a loop or a chain of more than 40 links fails ("Too many levels
//   of symbolic links").
// - Only a regular file is replaced: a folder fails with "Is a directory", anything else (a FIFO, a device, a
//   socket) with "Not a regular file", and is left as it was.
// - The temporary file is named ".<name>.XXXXXX" (six letters or digits). A signal whose action is the default
//   and that ends the process (hang-up, interrupt, quit, terminate, file size limit) removes it first; a signal
//   the program handles itself is left to the program. Temporary files of the same target that earlier saves
//   left behind (killed outright, a crash) are removed when no process holds them.
// - One save at a time: saves are not made from two threads at once.
std::string WriteFileAtomically(const std::string& path, const std::string& bytes, SaveProbe probe = nullptr);
// The same, the content written by `write` to a stream on the temporary file as it is made, never held whole in
// memory (a large export). A failed write, a stream left failed or an exception out of `write` fails the save
// ("Operation canceled" for the exception) and leaves the previous file as it was.
std::string WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                                SaveProbe probe = nullptr);

}  // namespace vesk
