#include "control_table.h"

namespace boxloom::frontend {

const ControlSpec* findControl(int id) {
    for (const ControlSpec& control : kControls)
        if (control.id == id) return &control;
    return nullptr;
}

} // namespace boxloom::frontend
