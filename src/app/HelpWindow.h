// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window (frmHelp): a resizable window with the help text and a "Close" button.
// Implemented in listing/HelpWindow.cpp; the text itself is in listing/HelpText.cpp.

#include <string>

#include "app/Controls.h"

namespace vesk {

class MainWindow;

// The help text: fourteen paragraphs, each followed by two CR LF pairs; the first names the manual's address.
std::string HelpText(const std::string& manualAddress);

// Where a control sits inside its window, in twips; the view places the widget from it.
struct ControlGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ControlGeometry&) const = default;
};

class HelpWindow : public Form {
  public:
    HelpWindow();
    void Attach(MainWindow& main);

    MainWindow* frmMain = nullptr;
    bool Loaded() const { return m_loaded; }

    TextBox txbHelpScreen{"txbHelpScreen"};
    Button cmdClose{"cmdClose"};
    // Set by Form_Resize; `changed` is emitted after each new layout.
    ControlGeometry txbHelpScreenGeometry;
    ControlGeometry cmdCloseGeometry;

    // Runs once, the first time the window is shown.
    void Form_Load();
    void Form_Resize();
    void cmdClose_Click();

  private:
    bool m_loaded = false;
};

}  // namespace vesk
