// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortKind.h"

#include "LinkText.h"

bool PortKind::Claims(const std::string& name) const {
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    const char last = prefix.empty() ? '\0' : prefix.back();
    return last == ':' || last == '/' || name.size() == prefix.size() || name[prefix.size()] == ':';
}

std::string PortKind::FormsPhrase() const {
    std::string phrase = forms.empty() ? std::string() : forms.back();
    for (std::size_t i = forms.size(); i-- > 1;) {
        phrase = (i + 1 == forms.size() ? TARNEL_TEXT("PortKind", "%1 or %2")
                                        : TARNEL_TEXT("PortKind", "%1, %2"))
                     .Text(forms[i - 1], phrase);
    }
    return phrase;
}
