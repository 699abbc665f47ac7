#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::cmdFile_Click(int) {}
void MainWindow::cmdClearFile_Click(int) {}
void MainWindow::txbFile_LostFocus(int) {}
bool MainWindow::CheckInputFile(const std::string&) { return false; }
bool MainWindow::FetchClipboardText(bool) { return false; }
void MainWindow::ShowClipboardSize(std::int64_t) {}
void MainWindow::cmdClearOutput_Click() {}
void MainWindow::cmdCopyOutput_Click() {}
void MainWindow::cmdSetParameters_Click() {}
void MainWindow::EnableControls(bool) {}
void MainWindow::cmdHelp_Click() {}
void MainWindow::cmdHelp_KeyUp(int) {}
void MainWindow::cmdFile_KeyUp(int, int) {}
void MainWindow::cmdListWords_KeyUp(int) {}
void MainWindow::lblKestrineSystems_Click() {}
void MainWindow::lblOnlineDocumentation_Click() {}
void MainWindow::LaunchBrowser(const std::string&) {}

}  // namespace vesk
