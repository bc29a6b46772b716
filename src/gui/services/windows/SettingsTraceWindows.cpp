// Platform spot for Windows: the toolkit reads its file dialog's settings
// from HKEY_CURRENT_USER\Software\QtProject\OrganizationDefaults, and opens
// that key to write as it reads, which creates it.
#include <windows.h>

#include "services/SettingsTrace.h"

namespace lexor::ui {
namespace {

constexpr const wchar_t* kToolkit = L"Software\\QtProject";
constexpr const wchar_t* kDefaults = L"Software\\QtProject\\OrganizationDefaults";

bool Exists(const wchar_t* key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

} // namespace

SettingsTrace::SettingsTrace() : existed_(Exists(kToolkit))
{
}

// RegDeleteKeyW removes only a key without subkeys, so a key that holds
// anything of another program's stays.
SettingsTrace::~SettingsTrace()
{
    if (existed_)
        return;
    RegDeleteKeyW(HKEY_CURRENT_USER, kDefaults);
    RegDeleteKeyW(HKEY_CURRENT_USER, kToolkit);
}

} // namespace lexor::ui
