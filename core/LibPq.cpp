// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibPq.h"

#include <optional>

#include "SharedLibrary.h"

namespace {

struct Loaded {
    std::optional<LibPq> functions;
    QString error;
};

Loaded Load() {
    SharedLibrary library(LibPq::kLibrary);
    LibPq pq{};
    if (!library.Resolve("PQconnectdbParams", pq.connectdbParams) ||
        !library.Resolve("PQstatus", pq.status) || !library.Resolve("PQfinish", pq.finish) ||
        !library.Resolve("PQerrorMessage", pq.errorMessage) ||
        !library.Resolve("PQsetNoticeProcessor", pq.setNoticeProcessor) ||
        !library.Resolve("PQexec", pq.exec) || !library.Resolve("PQexecParams", pq.execParams) ||
        !library.Resolve("PQresultStatus", pq.resultStatus) ||
        !library.Resolve("PQntuples", pq.ntuples) || !library.Resolve("PQnfields", pq.nfields) ||
        !library.Resolve("PQgetvalue", pq.getvalue) || !library.Resolve("PQclear", pq.clear)) {
        return {std::nullopt, QString::fromLocal8Bit(library.Error().c_str())};
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
