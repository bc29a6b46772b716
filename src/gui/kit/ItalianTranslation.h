#pragma once

namespace lexor::ui {

// The interface is Italian whatever the system's language: loads Qt's own
// Italian texts (message box buttons, the file dialog, context menus) built
// into the program and makes Italian the default locale. Call once, after
// the application object exists and before any window is created. Returns
// false if the built-in translation could not be loaded.
bool InstallItalianTranslation();

} // namespace lexor::ui
