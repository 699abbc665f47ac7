#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

std::string MainWindow::SaveState(const std::string&) { return "not built"; }
std::string MainWindow::RestoreSavedState(const std::string&) { return "not built"; }

}  // namespace vesk
