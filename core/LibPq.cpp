// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibPq.h"

#include <dlfcn.h>

#include <optional>

namespace {

struct Loaded {
    std::optional<LibPq> functions;
    QString error;
};

// Points `function` at the library's `name`; false when it has none.
template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

Loaded Load() {
    // Never closed: connections may live until the process ends.
    void* library = dlopen(LibPq::kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return {std::nullopt, QString::fromLocal8Bit(dlerror())};
    }
    LibPq pq{};
    if (!Resolve(library, "PQconnectdbParams", pq.connectdbParams) ||
        !Resolve(library, "PQstatus", pq.status) || !Resolve(library, "PQfinish", pq.finish) ||
        !Resolve(library, "PQerrorMessage", pq.errorMessage) ||
        !Resolve(library, "PQsetNoticeProcessor", pq.setNoticeProcessor) ||
        !Resolve(library, "PQexec", pq.exec) || !Resolve(library, "PQexecParams", pq.execParams) ||
        !Resolve(library, "PQresultStatus", pq.resultStatus) ||
        !Resolve(library, "PQntuples", pq.ntuples) || !Resolve(library, "PQnfields", pq.nfields) ||
        !Resolve(library, "PQgetvalue", pq.getvalue) || !Resolve(library, "PQclear", pq.clear)) {
        return {std::nullopt, QString::fromLocal8Bit(dlerror())};
    }
    return {pq, QString()};
}

}  // namespace

const LibPq* LibPq::Get(QString& error) {
    static const Loaded loaded = Load();
    if (!loaded.functions) {
        error = loaded.error;
        return nullptr;
    }
    return &*loaded.functions;
}
