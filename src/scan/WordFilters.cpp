#include "app/MainWindow.h"

// Placeholder: not written yet.

namespace vesk {

void MainWindow::ApplyFilters() {}

}  // namespace vesk
