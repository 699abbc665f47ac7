// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"

#include "app/MainWindow.h"

namespace vesk {

namespace {
constexpr int kTextLeft = 120;
constexpr int kTextTop = 120;
constexpr int kCloseWidth = 1215;
constexpr int kCloseHeight = 375;
}  // namespace

HelpWindow::HelpWindow() : Form("frmHelp") {
    txbHelpScreenGeometry = {kTextLeft, kTextTop, 0, 0};
    cmdCloseGeometry = {0, 0, kCloseWidth, kCloseHeight};
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void HelpWindow::Attach(MainWindow& main) { frmMain = &main; }

void HelpWindow::Form_Load() {
    const MainWindow& main = *frmMain;
    Move(main.Left() + 200, main.Top() + 480);
    Resize(main.Width() - 400, main.Height() - 680);
    SetCaption("VESK: Help");
    cmdClose.SetCaption("Close");
    txbHelpScreen.SetText(HelpText(main.GetProgramText(15)));
    m_loaded = true;
    Form_Resize();
}

void HelpWindow::Form_Resize() {
    if (Minimized()) return;
    const int w = Width();
    const int h = Height();
    txbHelpScreenGeometry.width = w - 350;
    txbHelpScreenGeometry.height = h - 1080;
    // The view may have measured the button; until then it has its designed width.
    if (cmdClose.Width() > 0) cmdCloseGeometry.width = cmdClose.Width();
    cmdCloseGeometry.top = h - 800;
    cmdCloseGeometry.left = (w - cmdCloseGeometry.width) / 2;
    changed.Emit();
}

void HelpWindow::cmdClose_Click() {
    Hide();
    frmMain->SetTheFocus();
}

}  // namespace vesk
