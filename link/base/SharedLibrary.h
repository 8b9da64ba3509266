// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A system library loaded by the program when a feature first needs it
// instead of by the dynamic loader when the program starts, so that runs
// that never use the feature neither pay for loading it nor fail to start
// without it. The library stays loaded until the process ends: objects it
// made may live that long.
class SharedLibrary {
public:
    // Loads `soname` (as "libusb-1.0.so.0"); Loaded() tells whether it could.
    explicit SharedLibrary(const char* soname);

    bool Loaded() const { return m_handle != nullptr; }
    // The loader's message for the library or the function that could not
    // be had.
    const std::string& Error() const { return m_error; }

    // Points `function` at the library's function `name`, typed as the
    // library's header declares it; false, with Error() set, when the
    // library has no such function or was not loaded.
    template <typename Function>
    bool Resolve(const char* name, Function& function) {
        function = reinterpret_cast<Function>(Symbol(name));
        return function != nullptr;
    }

private:
    void* Symbol(const char* name);

    void* m_handle = nullptr;
    std::string m_error;
};
