#include "schematic_windows.h"

#include "dq_circuits_window.h"
#include "pss2a_diagram_window.h"
#include "network_map_window.h"

namespace tgsim {

SchematicWindows::SchematicWindows(QWidget* owner)
    : siec_(new TSchematSiec(owner)), pss2a_(new TSchematPSS2A(owner)), dq_(new TSchemat_dq(owner)) {}

// Windows that an owner already deleted are null here.
SchematicWindows::~SchematicWindows() {
    delete siec_.data();
    delete pss2a_.data();
    delete dq_.data();
}

void SchematicWindows::Poka1Click() {
    if (siec_) siec_->showAndRaise();
}

void SchematicWindows::PokazDQcircuits() {
    if (dq_) dq_->showAndRaise();
}

void SchematicWindows::SchematStabilizatorClick() {
    if (pss2a_) pss2a_->showAndRaise();
}

}  // namespace tgsim
