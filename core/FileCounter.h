// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "Counter.h"
#include "LockedFile.h"
#include "SafeOpen.h"

// A counter kept in a small text file, one "key value" line each:
//   first 0x001122000000
//   last 0x0011220FFFFF
//   next 0x001122000010      ("none" once every value has been given)
//   void 0x001122000003      (one line for each voided value)
// Every change is made under an exclusive lock (flock) on the file: the new
// contents go to a new file in the same folder, which is flushed to disk and
// renamed over the old one; then the folder is flushed too. A program that
// waited for the lock on the file that was replaced opens the new one and
// waits again, so several programs on one machine, or on an NFS share with
// working locks, take turns. Files are opened through SafeOpen.
class FileCounter : public Counter {
public:
    // How long a lock another program holds is waited for.
    static constexpr std::chrono::milliseconds kLockWait{10000};

    explicit FileCounter(const QString& path);

    bool Create(const State& state) override;
    bool Read(State& state) override;
    Outcome Take(uint64_t& value) override;
    bool Void(uint64_t value) override;

    // The file's text for `state`.
    static QByteArray Encode(const State& state);
    // The state a file's `text` holds; nothing when it is no counter file.
    static std::optional<State> Decode(const QByteArray& text);

private:
    // Opens the file and locks it (exclusive for a change, else shared) and
    // reads it into `state`: the file then stays locked in `file`.
    bool Load(LockedFile& file, LockedFile::Lock lock, State& state);
    // Replaces the locked file with the text of `state`.
    bool Replace(const LockedFile& file, const State& state);
    // Loads under the exclusive lock, lets `change` change the state (it
    // returns the outcome; only a done one is saved) and saves it.
    Outcome Change(const std::function<Outcome(State&)>& change);
    // Sets ErrorText to why SafeOpen refused the file and returns false.
    bool OpenFailed(const SafeOpen::Result& result);
    // Sets ErrorText to the system's reason `error` and returns false.
    bool SystemFailed(int error);

    QString m_path;
};
