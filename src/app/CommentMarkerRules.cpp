#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::SetCommentMarkers(const std::string&) {}
bool MainWindow::ValidateCommentMarkers() { return true; }

}  // namespace vesk
