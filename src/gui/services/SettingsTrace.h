#pragma once

namespace lexor::ui {

// The program stores nothing between runs, but the toolkit's file dialog
// reads its settings as it is made, and on Windows reading them creates
// their registry key. While a SettingsTrace lives the dialog may be made;
// as it goes, it removes what reading made, if nothing was there before and
// nothing was put in it. The platform spot: SettingsTraceWindows.cpp,
// SettingsTracePosix.cpp, where reading a settings file creates nothing.
class SettingsTrace {
public:
    SettingsTrace();
    ~SettingsTrace();
    SettingsTrace(const SettingsTrace&) = delete;
    SettingsTrace& operator=(const SettingsTrace&) = delete;

private:
    bool existed_ = true;
};

} // namespace lexor::ui
