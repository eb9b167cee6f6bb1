// File menu flows and data files (placeholder until the data file lands).
#include "core/shell/program.h"

namespace edid {

void Program::mnuFileNew_Click() {}
void Program::mnuFileOpen_Click() {}
void Program::mnuFileSave_Click() { WriteDataFile(); }
void Program::mnuFileSaveAs_Click() { SaveFileAs(); }
void Program::WriteDataFile() {}
void Program::SaveFileAs() {}
bool Program::ReadEdidCodeSection() { return false; }
void Program::LoadTokensIntoCells() {}
void Program::nameMonitorFromModelLists() {}
void Program::BuildReport() {}
void Program::ShowReport(bool) {}
std::string Program::reportText() const { return {}; }

}  // namespace edid
