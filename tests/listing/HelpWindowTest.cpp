// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppTestSupport.h"
#include "app/HelpWindow.h"

namespace vesk::test {
namespace {

const std::string kBrowserFailure =
    "Error launching web browser.\r\n\r\n"
    "Please make sure that your web browser is correctly installed,\r\n"
    "that '.htm' files are associated with it, and that there is\r\n"
    "sufficient memory available.";

std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> paragraphs;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n\r\n", from)) != std::string::npos; from = at + 4)
        paragraphs.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text after the last paragraph";
    return paragraphs;
}

class HelpWindowTest : public MainWindowTest {
  protected:
    void SetUp() override { Start(); }
    HelpWindow& help = program.frmHelp;
};

TEST_F(HelpWindowTest, TextHasFourteenParagraphs) {
    const std::vector<std::string> paragraphs = Paragraphs(HelpText("https://example.org/manual/"));
    ASSERT_EQ(paragraphs.size(), 14u);
    EXPECT_EQ(paragraphs[0],
              "An illustrated verson of this documentation (and a bit more information) can be found at "
              "https://example.org/manual/.  This window may be resized for easier reading.");
    EXPECT_EQ(paragraphs[1],
              "This software scans a file, or text on the clipboard, and counts the number of occurrences of the "
              "different words. The text can be in a language other than English. The words which are found and "
              "displayed can be ordered alphabetically or by frequency.");
    EXPECT_EQ(paragraphs[5],
              "Text may be composed in the textbox. To do a word count on this text you must first copy it to the "
              "clipboard.");
    EXPECT_EQ(paragraphs[13],
              "An output file can be written as comma-delimited so that it can be read by other software.");
    for (const auto& p : paragraphs) EXPECT_EQ(p.find('\n'), std::string::npos) << p;
}

TEST_F(HelpWindowTest, LoadPlacesTheWindowFromTheMainWindow) {
    main.Move(1000, 2000);
    main.Resize(11400, 8400);
    main.cmdHelp.Click();
    EXPECT_TRUE(help.Loaded());
    EXPECT_TRUE(help.Visible());
    EXPECT_EQ(help.Left(), 1200);
    EXPECT_EQ(help.Top(), 2480);
    EXPECT_EQ(help.Width(), 11000);
    EXPECT_EQ(help.Height(), 7720);
    EXPECT_EQ(help.Caption(), "VESK: Help");
    EXPECT_EQ(help.cmdClose.Caption(), "Close");
    EXPECT_EQ(help.txbHelpScreen.Text(), HelpText("https://vesk.example.org/manual/"));

    // Loaded once: a later move of the main window does not move it.
    help.cmdClose.Click();
    main.Move(0, 0);
    main.cmdHelp.Click();
    EXPECT_EQ(help.Left(), 1200);
    EXPECT_TRUE(help.Visible());
}

TEST_F(HelpWindowTest, ResizeKeepsTheLayout) {
    main.cmdHelp.Click();
    help.Resize(8000, 6000);
    help.Form_Resize();
    EXPECT_EQ(help.txbHelpScreenGeometry.width, 7650);
    EXPECT_EQ(help.txbHelpScreenGeometry.height, 4920);
    EXPECT_EQ(help.cmdCloseGeometry.top, 5200);
    EXPECT_EQ(help.cmdCloseGeometry.left, (8000 - help.cmdCloseGeometry.width) / 2);
    EXPECT_GT(help.cmdCloseGeometry.width, 0);

    help.cmdClose.SetWidth(1000);
    help.Resize(9000, 7000);
    help.Form_Resize();
    EXPECT_EQ(help.cmdCloseGeometry.left, 4000);
    EXPECT_EQ(help.cmdCloseGeometry.top, 6200);

    // Nothing moves while the window is minimized.
    help.SetMinimized(true);
    help.Resize(600, 400);
    help.Form_Resize();
    EXPECT_EQ(help.txbHelpScreenGeometry.width, 8650);
    EXPECT_EQ(help.cmdCloseGeometry.top, 6200);
}

TEST_F(HelpWindowTest, HelpButtonRestoresAMinimizedWindow) {
    main.cmdHelp.Click();
    help.SetMinimized(true);
    main.cmdHelp.Click();
    EXPECT_FALSE(help.Minimized());
    EXPECT_TRUE(help.Visible());

    main.SetFocus(main.cmdQuit);
    help.cmdClose.Click();
    EXPECT_FALSE(help.Visible());
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
}

TEST_F(HelpWindowTest, F1OnThreeButtonsOpensHelp) {
    main.cmdHelp.KeyUp(113);
    main.cmdListWords.KeyUp(13);
    EXPECT_FALSE(help.Visible());

    main.cmdListWords.KeyUp(112);
    EXPECT_TRUE(help.Visible());
    for (Button* button : {&main.cmdHelp, &main.cmdFile[0], &main.cmdFile[1]}) {
        help.Hide();
        button->KeyUp(112);
        EXPECT_TRUE(help.Visible()) << button->Name();
    }
    EXPECT_TRUE(platform.FileDialogs().empty());
}

TEST_F(HelpWindowTest, LinksOpenTheirAddresses) {
    const std::string home = "https://vesk.example.org/";
    const std::string manual = "https://vesk.example.org/manual/";
    main.lblKestrineSystems.Click();
    main.lblOnlineDocumentation.Click();
    EXPECT_EQ(platform.OpenedUrls(), (std::vector<std::string>{home, manual}));
}

TEST_F(HelpWindowTest, BrowserFailureIsReported) {
    platform.openUrlResult = false;
    platform.ExpectMessage(MsgAnswer::Ok);
    main.LaunchBrowser("https://example.org/manual");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.OpenedUrls(), std::vector<std::string>{"https://example.org/manual"});
    EXPECT_EQ(LastMessage(),
              (ShownMessage{kBrowserFailure, "Cannot launch web browser", MsgButtons::Ok, MsgIcon::Exclamation}));

    platform.openUrlResult = true;
    platform.ExpectMessage(MsgAnswer::Ok);
    main.LaunchBrowser("");
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(LastMessage().text, kBrowserFailure);
    EXPECT_EQ(platform.OpenedUrls().size(), 1u);
}

}  // namespace
}  // namespace vesk::test
