#pragma once

namespace lexor::ui {

// Every window, the boxes and the file dialog included, shows where the
// keyboard is from the moment it appears, as it does after a Tab: the
// toolkit draws the focus frame only once the keyboard has moved the focus,
// and forgets that each time a window is shown. Call once, after the
// application object exists.
void InstallVisibleFocus();

} // namespace lexor::ui
