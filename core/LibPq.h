// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libpq-fe.h>

#include <QString>

// The libpq functions the database code calls, from libpq.so.5 loaded when a
// database is first used rather than when the program starts: libpq brings
// the TLS, Kerberos and LDAP libraries with it, and loading them took about a
// third of the window's start-up, which most runs (no counter, no log in a
// database) then never used.
class LibPq {
public:
    // The library's soname, as a program linked against libpq would load it.
    static constexpr const char* kLibrary = "libpq.so.5";

    // The functions, loaded once for the whole process (from any thread);
    // null, with the loader's message in `error`, when the library or one of
    // its functions cannot be had.
    static const LibPq* Get(QString& error);

    decltype(&::PQconnectdbParams) connectdbParams;
    decltype(&::PQstatus) status;
    decltype(&::PQfinish) finish;
    decltype(&::PQerrorMessage) errorMessage;
    decltype(&::PQsetNoticeProcessor) setNoticeProcessor;
    decltype(&::PQexec) exec;
    decltype(&::PQexecParams) execParams;
    decltype(&::PQresultStatus) resultStatus;
    decltype(&::PQntuples) ntuples;
    decltype(&::PQnfields) nfields;
    decltype(&::PQgetvalue) getvalue;
    decltype(&::PQclear) clear;
};
