#pragma once

namespace lexor::ui {

// The windows ask for the fonts of their design ("MS Sans Serif", "Times New
// Roman"). Where those are missing, the toolkit would fall back to a wider
// face and long captions would no longer fit their controls; this names
// metric-compatible stand-ins first. Only outline fonts are used, so a bitmap
// "MS Sans Serif" (Windows' own) gives way to its stand-in too. Call once,
// after the application object exists and before any window is created.
void InstallFontSubstitutes();

} // namespace lexor::ui
