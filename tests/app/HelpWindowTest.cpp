// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/AppTestSupport.h"
#include "app/HelpWindow.h"

namespace vesk::test {
namespace {

using HelpWindowTest = WindowTest;

TEST_F(HelpWindowTest, OpensFromTheButtonOrF1RestoredAndClosesToTheFileButton) {
    Start();
    HelpWindow& help = program.frmHelp;
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

    main.lblKestrineSystems.Click();
    main.lblOnlineDocumentation.Click();
    EXPECT_EQ(platform.OpenedUrls(),
              (std::vector<std::string>{"https://vesk.example.org/", "https://vesk.example.org/manual/"}));
}

}  // namespace
}  // namespace vesk::test
