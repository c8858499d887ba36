#include "control_table.h"

namespace boxloom::frontend {

const ControlDesign* findControl(int id) {
    for (const ControlDesign& control : kControls)
        if (control.id == id) return &control;
    return nullptr;
}

} // namespace boxloom::frontend
