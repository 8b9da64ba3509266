// SPDX-License-Identifier: GPL-3.0-or-later
// tarnel-cli: reads, writes and verifies the switch's EEPROM from scripts.
#include <unistd.h>

#include <QCoreApplication>
#include <iostream>

#include "CliTool.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    CliTool tool(std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
    const int status = tool.Run(QCoreApplication::arguments());
    // Results that never reached their file (a full disk, a closed pipe) are
    // a failure, not a success.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tarnel-cli: cannot write the results to standard output.\n";
        return CliTool::kFileFailure;
    }
    return status;
}
