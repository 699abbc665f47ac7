#include "params/ParamsWindow.h"

// Placeholder: not written yet.

namespace vesk {

void ParamsWindow::cmdSaveLoadParameters_Click(int) {}

}  // namespace vesk
