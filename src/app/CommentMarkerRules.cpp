#include "app/MainWindow.h"
#include "engine/CharClasses.h"
#include "engine/CommentMarkers.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

constexpr const char* kEmptyStartMessage =
    "Cannot have an empty start-comment marker\r\nwith a non-empty end-comment marker.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
constexpr const char* kNoStartMessage =
    "If comment markers are allowed then at least one\r\nstart-comment marker must be non-empty.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
constexpr const char* kSameMarkersMessage =
    "Start-comment and end-comment markers must be different.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel.";

std::string PartOfWordMessage(const std::string& marker) {
    std::string text = "The way the parameters are set the start-comment marker\r\n\"";
    text += marker;
    text +=
        "\" could be part of a word.\r\n\r\nCheck the start-comment markers in the 'Set parameters' panel and\r\n"
        "perhaps disallow comment markers or restrict allowable words.";
    return text;
}

// Kept out of line: inlined with constant markers, GCC 12 warns of an overlap that cannot happen.
[[gnu::noinline]] void AssignMarkers(CommentMarkers& markers, std::string_view start0, std::string_view end0,
                                     std::string_view start1, std::string_view end1) {
    markers.StartMarkers[0].assign(start0);
    markers.EndMarkers[0].assign(end0);
    markers.StartMarkers[1].assign(start1);
    markers.EndMarkers[1].assign(end1);
}

}  // namespace

void MainWindow::SetCommentMarkers(const std::string& strType) {
    auto set = [this](std::string_view start0, std::string_view end0, std::string_view start1, std::string_view end1) {
        AssignMarkers(Comments, start0, end0, start1, end1);
    };
    if (strType == "HTML")
        set("<", ">", "&", ";");
    else if (strType == "C")
        set("/*", "*/", "//", "");
    else if (strType.empty())
        set("", "", "", "");
    else
        set(frmParams->txbStartComment[0].Text(), frmParams->txbEndComment[0].Text(),
            frmParams->txbStartComment[1].Text(), frmParams->txbEndComment[1].Text());
}

bool MainWindow::ValidateCommentMarkers() {
    auto fail = [this](const std::string& text) {
        platform.ShowMessage(text, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    };
    const std::string starts[2] = {frmParams->txbStartComment[0].Text(), frmParams->txbStartComment[1].Text()};
    const std::string ends[2] = {frmParams->txbEndComment[0].Text(), frmParams->txbEndComment[1].Text()};

    for (int k = 0; k < 2; ++k)
        if (starts[k].empty() && !ends[k].empty()) return fail(kEmptyStartMessage);
    if (starts[0].empty() && starts[1].empty()) return fail(kNoStartMessage);
    for (int k = 0; k < 2; ++k)
        if (!starts[k].empty() && starts[k] == ends[k]) return fail(kSameMarkersMessage);

    const std::string extra = AllowedInnerChars(Scanner.Snapshot());
    const bool numerals = frmParams->chkAllowWordsWithNumerals.Value() == 1;
    for (int k = 0; k < 2; ++k) {
        const std::string& marker = starts[k];
        if (!marker.empty() && CountWordChars(marker, 1, numerals, extra) == static_cast<std::int32_t>(marker.size()))
            return fail(PartOfWordMessage(marker));
    }
    return true;
}

}  // namespace vesk
