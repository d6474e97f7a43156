// The view renders the control model. The Win32 view creates real windows; the headless
// view of the tests keeps the model only.
#pragma once

#include "ui/Form.h"

namespace hf {

class View {
public:
    virtual ~View() = default;
    // The form's windows come to exist, hidden; from now on the view follows the model.
    virtual void Attach(TForm& form) = 0;
};

// No windows: the model is all there is.
class HeadlessView final : public View {
public:
    void Attach(TForm&) override {}
};

}  // namespace hf
