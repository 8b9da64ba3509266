// SPDX-License-Identifier: GPL-3.0-or-later
// tarnel-cli: reads, writes and verifies the switch's EEPROM from scripts.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <csignal>
#include <iostream>

#include "CliTool.h"
#include "Translations.h"

int main(int argc, char* argv[]) {
    // A closed pipe is a failed write, reported and recorded, not the end of
    // the process.
    std::signal(SIGPIPE, SIG_IGN);
    // A closed standard input is noted, and its number taken by /dev/null so
    // that no file opened later is read as standard input.
    const bool inputClosed = ::fcntl(STDIN_FILENO, F_GETFD) < 0;
    if (inputClosed) {
        ::open("/dev/null", O_RDONLY);
    }
    QCoreApplication application(argc, argv);
    const Translations translations;
    CliTool tool(std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
    if (inputClosed) {
        tool.SetInputClosed();
    }
    const int status = tool.Run(QCoreApplication::arguments());
    // Results that never reached their file (a full disk, a closed pipe) are
    // a failure, not a success.
    std::cout.flush();
    if (!std::cout && status != CliTool::kFileFailure) {
        std::cerr << "tarnel-cli: "
                  << QCoreApplication::translate("CliTool",
                                                 "cannot write the results to standard output.")
                         .toStdString()
                  << "\n";
        return CliTool::kFileFailure;
    }
    return status;
}
