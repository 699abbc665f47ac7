#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::Form_Load() {}
void MainWindow::PrepareMainWindow() {}
void MainWindow::InitializeVariables() {}
void MainWindow::Initialize() {}
void MainWindow::SetDefaultCommonWordsFile() {}
void MainWindow::SetWindowTitle() {}
void MainWindow::ConcealNumWords() {}
void MainWindow::SetTheFocus() {}
void MainWindow::UpdateDisableOutputOption() {}
void MainWindow::optInFile_Click() {}
void MainWindow::optInTextBox_Click() {}
void MainWindow::chkSuppressWords_Click() {}
void MainWindow::Label1_Click() {}

}  // namespace vesk
