// tarnel-cli: reads, writes and verifies the switch's EEPROM from scripts.
#include <unistd.h>

#include <QCoreApplication>
#include <iostream>

#include "CliTool.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    CliTool tool(std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
    return tool.Run(QCoreApplication::arguments());
}
