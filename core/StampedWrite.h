// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "Counter.h"
#include "EepromImage.h"
#include "Stamp.h"

class LogRecord;

// One unit's write with a value of its own: the value is taken from the
// counter, durably, before the first byte goes to the switch, and stamped
// into the image; a unit that ends up not holding the stamped image voids
// its value.
class StampedWrite {
public:
    // What is wrong with --stamp and --counter for `command` (write takes
    // both, verify --stamp alone, other commands neither), given as
    // `stamp` and `counter` (empty when not given); empty when nothing is.
    static QString UsageProblem(const QString& command, const std::optional<QString>& stamp,
                                const std::optional<QString>& counter);

    StampedWrite(const Stamp& stamp, std::unique_ptr<Counter> counter);
    ~StampedWrite();

    // Takes the unit's value and stamps `image` with it; `record` gets the
    // stamp. False, with ErrorText(), when no value was taken or it does not
    // fit into the stamped registers (then it is voided): the switch must
    // not be touched.
    bool Take(EepromImage& image, LogRecord& record);
    // The write ended; `stored` tells whether the switch holds the stamped
    // image. A value not stored is voided and `record` says so. Returns what
    // to tell the user about the value (empty when it was stored).
    QString Finish(bool stored, LogRecord& record);
    // What went wrong in Take, for the user.
    const QString& ErrorText() const { return m_error; }
    // What to tell about the value taken ("Stamped registers 16 to 21 with ...").
    QString TakenText() const;

private:
    // Voids the value taken; the text for the user.
    QString Void(LogRecord& record);

    Stamp m_stamp;
    std::unique_ptr<Counter> m_counter;
    std::optional<uint64_t> m_value;
    QString m_error;
};
