// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>

// Something a command can be routed to: the view, the document, the frame or
// the application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Runs the handler bound to `id` and returns true, or returns false when
    // this target binds no handler to it.
    virtual bool OnCmdMsg(int id) = 0;
    // Whether this target binds a handler to `id`.
    virtual bool Handles(int id) const = 0;
};

// A target's command map: command identifier to handler.
template <class T>
using CommandMap = std::map<int, void (T::*)()>;

// A command target whose handlers are listed in the command map that T's
// static Map() returns.
template <class T>
class MappedCommandTarget : public CommandTarget {
public:
    bool OnCmdMsg(int id) override {
        const auto entry = T::Map().find(id);
        if (entry == T::Map().end()) {
            return false;
        }
        (static_cast<T&>(*this).*(entry->second))();
        return true;
    }
    bool Handles(int id) const override { return T::Map().count(id) > 0; }
};
