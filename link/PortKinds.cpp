// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortKinds.h"

#include "Ch341Kinds.h"
#include "I2cDevKind.h"
#include "IoKind.h"
#include "LinkText.h"
#include "PortNameError.h"
#include "PpdevKind.h"
#include "SimKinds.h"

const std::vector<const PortKind*>& PortKinds::All() {
    static const std::vector<const PortKind*> kinds = {
        &PpdevKind(),
        &IoKind(),
        &SimKinds::Parallel(),
        &I2cDevKind(),
        &SimKinds::I2c(),
        &Ch341Kinds::Board(),
        &Ch341Kinds::Simulated(),
    };
    return kinds;
}

const PortKind* PortKinds::Find(const std::string& name) {
    const PortKind* found = nullptr;
    for (const PortKind* kind : All()) {
        if (kind->Claims(name) &&
            (found == nullptr || kind->prefix.size() > found->prefix.size())) {
            found = kind;
        }
    }
    return found;
}

std::string PortKinds::FormList() {
    std::string list;
    for (const PortKind* kind : All()) {
        for (const std::string& form : kind->forms) {
            list += (list.empty() ? "" : ", ") + form;
        }
    }
    return list;
}

std::string PortKinds::Described() {
    const std::vector<const PortKind*>& kinds = All();
    const auto described = [&](std::size_t i) {
        return TARNEL_TEXT("PortKinds", "%1 (%2)")
            .Text(kinds[i]->FormsPhrase(), kinds[i]->help.Text());
    };
    std::string text = kinds.empty() ? std::string() : described(kinds.size() - 1);
    for (std::size_t i = kinds.size(); i-- > 1;) {
        text = (i + 1 == kinds.size() ? TARNEL_TEXT("PortKinds", "%1, or %2")
                                      : TARNEL_TEXT("PortKinds", "%1, %2"))
                   .Text(described(i - 1), text);
    }
    return text;
}

void PortKinds::ThrowUnknown(const std::string& name) {
    throw PortNameError(
        TARNEL_TEXT("PortKinds", "Unknown port \"%1\". Use %2.").Text(name, Described()));
}
