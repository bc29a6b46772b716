#pragma once

namespace lexor::ui {

// While it lives the pointer shows that the program is working, over every
// window of the program. Long work runs on the user-interface thread, so
// without it the windows would look hung. Keep it off message boxes: they
// wait for the user.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace lexor::ui
