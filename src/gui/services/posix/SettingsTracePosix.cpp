// Platform spot for POSIX systems: the toolkit keeps its settings in a file
// there, which reading does not create.
#include "services/SettingsTrace.h"

namespace lexor::ui {

SettingsTrace::SettingsTrace() = default;

SettingsTrace::~SettingsTrace() = default;

} // namespace lexor::ui
