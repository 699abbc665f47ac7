// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/HelpWindow.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

class HelpWindowTest : public ProgramFixture<> {
  protected:
    void SetUp() override { Start(); }
    HelpWindow& help = program.frmHelp;
};

TEST_F(HelpWindowTest, OpensFromTheButtonOrF1RestoredAndClosesToTheFileButton) {
    main.cmdHelp.KeyUp(113);
    main.cmdListWords.KeyUp(13);
    EXPECT_FALSE(help.Visible());
    for (Button* button : {&main.cmdListWords, &main.cmdHelp, &main.cmdFile[0], &main.cmdFile[1]}) {
        help.Hide();
        button->KeyUp(112);
        EXPECT_TRUE(help.Visible()) << button->Name();
    }
    EXPECT_NE(help.txbHelpScreen.Text().find(" found at https://vesk.example.org/manual/.  "), std::string::npos);
    EXPECT_TRUE(platform.FileDialogs().empty());

    help.SetMinimized(true);
    main.cmdHelp.Click();
    EXPECT_FALSE(help.Minimized());
    main.SetFocus(main.cmdQuit);
    help.cmdClose.Click();
    EXPECT_FALSE(help.Visible());
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
}

TEST_F(HelpWindowTest, LinksOpenTheirAddressesOrSayWhyNot) {
    main.lblKestrineSystems.Click();
    main.lblOnlineDocumentation.Click();
    EXPECT_EQ(platform.OpenedUrls(),
              (std::vector<std::string>{"https://vesk.example.org/", "https://vesk.example.org/manual/"}));

    const ShownMessage failure{
        "Error launching web browser.\r\n\r\nPlease make sure that your web browser is "
        "correctly installed,\r\nthat '.htm' files are associated with it, and that there "
        "is\r\nsufficient memory available.",
        "Cannot launch web browser", MsgButtons::Ok, MsgIcon::Exclamation};
    platform.openUrlResult = false;
    platform.ExpectMessage(MsgAnswer::Ok);
    main.LaunchBrowser("https://example.org/manual");
    EXPECT_EQ(LastMessage().text, failure.text + "\r\n\r\nAddress: https://example.org/manual");
    platform.openUrlResult = true;
    platform.ExpectMessage(MsgAnswer::Ok);
    main.LaunchBrowser("");  // nothing to open
    EXPECT_EQ(LastMessage(), failure);
    EXPECT_EQ(platform.OpenedUrls().size(), 3u);
}

}  // namespace
}  // namespace vesk::test
