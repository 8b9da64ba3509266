// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const char* soname) {
    m_handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        m_error = dlerror();
    }
}

void* SharedLibrary::Symbol(const char* name) {
    if (m_handle == nullptr) {
        return nullptr;
    }
    void* symbol = dlsym(m_handle, name);
    if (symbol == nullptr) {
        const char* error = dlerror();
        m_error = error != nullptr ? error : std::string(name) + ": no such function";
    }
    return symbol;
}
