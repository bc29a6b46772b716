#pragma once

namespace lexor::ui {

// What screen readers are told beyond each control's own name: each of the
// program's windows is a window named by its title, so its opening is
// announced; a progress frame (ProgressFrame) is one progress bar whose value
// is its percentage, not the labels that draw it; windows, plain frames and
// results areas read their controls top to bottom and left to right,
// whatever control was last raised over or lowered under its neighbours.
// Call once, after the application object exists and before any window is
// created.
void InstallAccessibility();

} // namespace lexor::ui
