#pragma once
// The controls that depend on the pager's model: which are shown, hidden or
// left as they are for the 4 KB family, for 0x81/0x89 and for other models,
// and what every model hides or disables. Applied when a pager or a file is
// brought into the editor.

#include <cstdint>

class QWidget;

namespace rer {

// Applies the model-dependent layout to the window's controls under `root`.
// Returns the number of settings pages the report prints for the model.
int ApplyModelLayout(QWidget& root, std::uint8_t modelCode);

}  // namespace rer
