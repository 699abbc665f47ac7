// SPDX-License-Identifier: GPL-3.0-or-later
// A save streamed into its temporary file: whole on success, the previous file untouched otherwise.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "settings/AtomicSave.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

TEST(AtomicStreamTest, AStreamedSaveReplacesTheFileWholeOrNotAtAll) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("words.csv", "old"), content(300000, 'w');  // over many buffers
    const auto write = [&](std::ostream& out) { out << content; };
    EXPECT_NE(WriteFileAtomically(path, [&](std::ostream& out) { write(out), throw std::runtime_error("x"); }), "");
    EXPECT_NE(WriteFileAtomically(path, [](std::ostream& out) { out.setstate(std::ios::badbit); }), "");
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(WriteFileAtomically(path, write), "");
    EXPECT_EQ(ReadBytes(path), content);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);  // no temporary left
}

}  // namespace
}  // namespace vesk::test
