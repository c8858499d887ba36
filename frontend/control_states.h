#pragma once

#include <string>

namespace boxloom::frontend {

// What the front end's logic needs of the window's controls, by id.
class ControlStates {
public:
    virtual ~ControlStates() = default;
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;
};

} // namespace boxloom::frontend
