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

// Runs the handler that `map` binds to `id` on `target`; false when none.
template <class T>
bool DispatchCommand(T& target, const CommandMap<T>& map, int id) {
    const auto entry = map.find(id);
    if (entry == map.end()) {
        return false;
    }
    (target.*(entry->second))();
    return true;
}
