// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortKind.h"

bool PortKind::Claims(const std::string& name) const {
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    const char last = prefix.empty() ? '\0' : prefix.back();
    return last == ':' || last == '/' || name.size() == prefix.size() || name[prefix.size()] == ':';
}

std::string PortKind::FormsPhrase() const {
    std::string phrase;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (i > 0) {
            phrase += i + 1 == forms.size() ? " or " : ", ";
        }
        phrase += forms[i];
    }
    return phrase;
}
