// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortKinds.h"

#include "I2cDevKind.h"
#include "IoKind.h"
#include "PortNameError.h"
#include "PpdevKind.h"
#include "SimKinds.h"

const std::vector<const PortKind*>& PortKinds::All() {
    static const std::vector<const PortKind*> kinds = {
        &PpdevKind(), &IoKind(), &SimKinds::Parallel(), &I2cDevKind(), &SimKinds::I2c(),
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
    std::string text;
    const std::vector<const PortKind*>& kinds = All();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0) {
            text += i + 1 == kinds.size() ? ", or " : ", ";
        }
        text += kinds[i]->FormsPhrase() + " (" + kinds[i]->help + ")";
    }
    return text;
}

void PortKinds::ThrowUnknown(const std::string& name) {
    throw PortNameError("Unknown port \"" + name + "\". Use " + Described() + ".");
}
