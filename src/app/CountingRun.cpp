#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::cmdListWords_Click() {}
void MainWindow::CountAndList() {}
bool MainWindow::CountWordsInFile() { return false; }
bool MainWindow::CountWordsFromSource(ByteSource&, const std::string&) { return false; }
bool MainWindow::CountWordsInClipboard() { return false; }
void MainWindow::ReportRunError(int, const std::string&) {}

}  // namespace vesk
