#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::FillComboBoxes() {}
void MainWindow::RankByFrequency() {}
void MainWindow::ListResults() {}
void MainWindow::ShowNoWordsMessage() {}
void MainWindow::cboWordOrder_Click() {}
void MainWindow::cboDisplayFormat_Click() {}

}  // namespace vesk
