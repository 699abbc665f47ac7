#include "params/ParamsWindow.h"

// Placeholder: not written yet.

namespace vesk {

ParamsWindow::ParamsWindow(Platform& platformRef) : Form("frmParams"), platform(platformRef) {}
void ParamsWindow::Attach(MainWindow& main) { frmMain = &main; }
void ParamsWindow::Form_Load() {}
void ParamsWindow::Form_Activate() {}
void ParamsWindow::SetDefaultValues() {}
bool ParamsWindow::ConfirmRereadFile() { return false; }
void ParamsWindow::WordFormingOption_Click(CheckBox&) {}
void ParamsWindow::FilterOption_Click() {}
void ParamsWindow::txbComment_LostFocus(TextBox&) {}
void ParamsWindow::cmdRestoreDefaults_Click() {}
void ParamsWindow::cmdInitialize_Click() {}
void ParamsWindow::cmdClearCheckboxes_Click(int) {}
void ParamsWindow::cmdClose_Click() {}
void ParamsWindow::PlaceWindow() {}

}  // namespace vesk
