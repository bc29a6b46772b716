#pragma once

namespace lexor::ui {

// On Windows the toolkit draws text with its own renderer (FreeType), not
// the system's: Windows draws small text in black and white where a face
// asks it to (Arial and its stand-ins do, up to 17 pixels), and the toolkit
// then loses narrow letters ("I", "!") wherever they fall between pixels;
// at scales above 100% it draws through DirectWrite, which sets letters
// unevenly and drops thin strokes under Wine. The toolkit's renderer draws
// every size in shades of grey, at every scale, as on Linux. A platform
// chosen with options of its own is left as it is. Call once, before the
// application object exists.
void ChooseTextRenderer();

// The windows ask for the fonts of their design ("MS Sans Serif", "Times New
// Roman"). Where those are missing, the toolkit would fall back to a wider
// face and long captions would no longer fit their controls; this names
// metric-compatible stand-ins first. Only outline fonts are used, so a bitmap
// "MS Sans Serif" (Windows' own) gives way to its stand-in too. Every other
// text (the boxes' buttons, the file dialog, tooltips) is drawn in the
// design's "MS Sans Serif" too, at the system's size, instead of the faces
// the system names for each kind of control. Call once, after the
// application object exists and before any window is created.
void InstallFontSubstitutes();

} // namespace lexor::ui
