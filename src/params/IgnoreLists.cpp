#include "params/ParamsWindow.h"

// Placeholder: not written yet.

namespace vesk {

void ParamsWindow::txbWordsToIgnore_LostFocus() {}
void ParamsWindow::cmdClearWordsToIgnore_Click() {}
void ParamsWindow::chkIgnoreCommonWords_Click() {}
void ParamsWindow::cmdSelectCommonWordsFile_Click() {}
void ParamsWindow::cmdClearCommonWordsFile_Click() {}
bool ParamsWindow::txbCommonWordsFile_KeyPress(int) { return true; }
void ParamsWindow::txbCommonWordsFile_LostFocus() {}

}  // namespace vesk
