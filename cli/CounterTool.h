// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <iosfwd>

// tarnel-cli's counter command:
//   counter create SOURCE FIRST LAST   a counter of the values FIRST to LAST
//   counter show SOURCE                its next and last value, how many are
//                                      left and the voided ones
// SOURCE is a counter file or a PostgreSQL URI ending in #NAME; values are
// decimal or 0x hexadecimal, up to 64 bits.
class CounterTool {
public:
    // Runs the counter command whose words (after "counter") are `words`;
    // results go to `out` (as JSON with `json`), messages to `err`. Returns
    // the exit status: 0, 2 for a usage error, 4 when the counter could not
    // be made or read.
    static int Run(const QStringList& words, bool json, bool quiet, std::ostream& out,
                   std::ostream& err);
};
