#pragma once

#include <system_error>

#include <QString>

namespace lexor::ui {

// Why a file could not be read, written or copied, in the user's words: short
// Italian text for what the core or the system reports. The one place such
// reasons are worded; a failure without words of its own is named by its
// code.
QString Reason(const std::error_code& error);

} // namespace lexor::ui
