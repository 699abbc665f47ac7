#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::cmdSaveState_Click() {}
void MainWindow::cmdQuit_Click() {}

}  // namespace vesk
