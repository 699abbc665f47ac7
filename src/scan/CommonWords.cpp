#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::AttemptToReadCommonWords() {}
bool MainWindow::ReadCommonWords() { return false; }

}  // namespace vesk
