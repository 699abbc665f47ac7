#pragma once
// A program whose word table the test fills by hand, for the listing tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Program.h"
#include "support/ScriptedPlatform.h"

namespace vesk::test {

// Also keeps which controls were repainted.
class RepaintRecordingPlatform : public ScriptedPlatform {
  public:
    void Repaint(const Control* control) override {
        repainted.push_back(control);
        ScriptedPlatform::Repaint(control);
    }
    std::vector<const Control*> repainted;
};

struct TestWord {
    std::string word;
    std::int64_t frequency;
    bool listed = true;
};

class ListingTest : public ::testing::Test {
  protected:
    RepaintRecordingPlatform platform;
    Program program{platform};
    MainWindow& w = program.frmMain;
    ParamsWindow& p = program.frmParams;
    std::filesystem::path folder;

    void SetUp() override {
        w.FillComboBoxes();
        w.MinColumnWidth = 6;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("vesk-listing-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Words must be given in key order (here: the word itself, lower case).
    void Fill(const std::vector<TestWord>& words) {
        w.Table.Reset();
        for (const TestWord& t : words) {
            WordRecord record;
            record.Word = t.word;
            record.Key = t.word;
            record.Frequency = t.frequency;
            record.Listed = t.listed;
            w.Table.Records().push_back(record);
        }
        w.Table.ComputeStatistics();
        w.RankByFrequency();
    }
    // alpha 3, beta 3, gamma 7: the usual small table.
    void FillGreek() { Fill({{"alpha", 3}, {"beta", 3}, {"gamma", 7}}); }

    std::string OutputPath(const std::string& name = "out.txt") const { return (folder / name).string(); }
    void SetOutputFile(const std::string& path) { w.txbFile[1].SetText(path); }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
};

}  // namespace vesk::test
