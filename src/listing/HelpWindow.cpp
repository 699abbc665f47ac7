#include "listing/HelpWindow.h"

// Placeholder: not written yet.

namespace vesk {

HelpWindow::HelpWindow() : Form("frmHelp") {}
void HelpWindow::Attach(MainWindow& main) { frmMain = &main; }
void HelpWindow::Form_Load() {}
void HelpWindow::Form_Resize() {}
void HelpWindow::cmdClose_Click() {}
std::string HelpText() { return {}; }

}  // namespace vesk
