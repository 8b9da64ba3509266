#include "CliTool.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "DeviceLink.h"
#include "DeviceMessages.h"
#include "GridGeometry.h"
#include "HexField.h"
#include "ImageFile.h"
#include "PortDiscovery.h"
#include "PortError.h"
#include "PortFactory.h"
#include "PortNameError.h"
#include "VerifyReport.h"

namespace {

std::ostream& operator<<(std::ostream& stream, const QString& text) {
    return stream << text.toStdString();
}
}  // namespace

CliTool::CliTool(std::ostream& out, std::ostream& err, bool progress)
    : m_out(out), m_err(err), m_progress(progress) {}

CliTool::~CliTool() = default;

int CliTool::Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, writes and verifies the configuration EEPROM of a network switch.\n\n"
        "Commands:\n"
        "  read FILE     read the device into an image file\n"
        "  write FILE    write an image file to the device and verify it\n"
        "  verify FILE   compare the device with an image file\n"
        "  dump          print the device's registers as a grid"));
    const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help."));
    const QCommandLineOption version({"v", "version"}, QStringLiteral("Show the version."));
    const QCommandLineOption port(
        "port",
        QStringLiteral("Port: /dev/parportN, io:0x378, i2c:/dev/i2c-N, sim, sim:FILE, i2c:sim "
                       "(default: $TARNEL_PORT, then /dev/parport0)."),
        QStringLiteral("NAME"));
    const QCommandLineOption trace("trace", QStringLiteral("Record the bus traffic into FILE.vcd."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption quiet(
        {"q", "quiet"}, QStringLiteral("Print nothing but errors; the exit code tells."));
    const QCommandLineOption force("force", QStringLiteral("read: overwrite an existing FILE."));
    const QCommandLineOption noVerify("no-verify",
                                      QStringLiteral("write: do not read back and compare."));
    parser.addOptions({help, version, port, trace, quiet, force, noVerify});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("read, write, verify, dump or list-ports"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("an image file"),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(arguments)) {
        Report(parser.errorText() + QStringLiteral(" (see --help)"));
        return kUsage;
    }
    if (parser.isSet(help)) {
        m_out << parser.helpText();
        return kSuccess;
    }
    if (parser.isSet(version)) {
        m_out << "tarnel-cli " << TARNEL_VERSION << "\n";
        return kSuccess;
    }
    m_quiet = parser.isSet(quiet);

    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    const bool needsFile = command == "read" || command == "write" || command == "verify";
    const bool noFile = command == "dump" || command == "list-ports";
    if (!needsFile && !noFile) {
        Report(command.isEmpty() ? QStringLiteral("No command given (see --help).")
                                 : "Unknown command \"" + command + "\" (see --help).");
        return kUsage;
    }
    if (positional.size() != (needsFile ? 2 : 1)) {
        Report(needsFile ? command + QStringLiteral(" needs exactly one FILE.")
                         : command + QStringLiteral(" takes no FILE."));
        return kUsage;
    }

    if (command == "list-ports") {
        return ListPorts();
    }
    m_ports = std::make_unique<PortFactory>(
        PortFactory::ChoosePortName(parser.value(port).toStdString()));
    try {
        m_ports->CheckName();
    } catch (const PortNameError& error) {
        Report(QString::fromStdString(error.what()));
        return kUsage;
    }
    if (parser.isSet(trace)) {
        try {
            m_ports->SetTrace(QFile::encodeName(parser.value(trace)).toStdString());
        } catch (const PortError& error) {
            Report(QString::fromStdString(error.what()));
            return kFileFailure;
        }
    }

    if (m_portSetup) {
        m_portSetup(*m_ports);
    }

    const QString file = positional.value(1);
    if (command == "read") {
        return Read(file, parser.isSet(force));
    }
    if (command == "write") {
        return Write(file, !parser.isSet(noVerify));
    }
    if (command == "verify") {
        return Verify(file);
    }
    return Dump();
}

int CliTool::Read(const QString& file, bool force) {
    if (!force && QFileInfo::exists(file)) {
        Report(file + QStringLiteral(" exists already; use --force to overwrite it."));
        return kFileFailure;
    }
    EepromImage image{};
    if (!ReadDevice(image)) {
        return kDeviceFailure;
    }
    const ImageFileResult written = ImageFile::Write(file, image);
    if (!written.ok()) {
        Report(written.Message());
        return kFileFailure;
    }
    Inform(QStringLiteral("Read 128 registers into ") + file + '.');
    return kSuccess;
}

int CliTool::Write(const QString& file, bool verify) {
    EepromImage image{};
    if (!LoadFile(file, image)) {
        return kFileFailure;
    }
    std::unique_ptr<DeviceLink> link = OpenLink();
    if (!link) {
        return kDeviceFailure;
    }
    const bool showProgress = m_progress && !m_quiet;
    const LinkResult result = link->WriteAll(image, [&](int written) {
        if (showProgress) {
            m_err << "\rWriting register " << written << " of " << kEepromSize << std::flush;
        }
    });
    if (showProgress) {
        m_err << "\n";
    }
    if (!result) {
        Report(QString::fromStdString(result.message));
        return kDeviceFailure;
    }
    link.reset();  // give the port back before reading anew
    Inform(DeviceMessages::DownloadCompleted());
    if (!verify) {
        return kSuccess;
    }
    EepromImage readBack{};
    if (!ReadDevice(readBack)) {
        return kDeviceFailure;
    }
    return Compare(image, readBack);
}

int CliTool::Verify(const QString& file) {
    EepromImage image{};
    if (!LoadFile(file, image)) {
        return kFileFailure;
    }
    EepromImage readBack{};
    if (!ReadDevice(readBack)) {
        return kDeviceFailure;
    }
    return Compare(image, readBack);
}

int CliTool::Dump() {
    EepromImage image{};
    if (!ReadDevice(image)) {
        return kDeviceFailure;
    }
    if (m_quiet) {
        return kSuccess;
    }
    m_out << "    ";
    for (int column = 0; column < GridMetrics::kColumns; ++column) {
        m_out << "  " << column;
    }
    m_out << "\n";
    for (int row = 0; row < GridMetrics::kRows; ++row) {
        m_out << QStringLiteral("%1").arg(row * GridMetrics::kColumns, 3) << " ";
        const int columns = row == GridMetrics::kLastRow ? GridMetrics::kLastColumnOfLastRow + 1
                                                         : GridMetrics::kColumns;
        for (int column = 0; column < columns; ++column) {
            m_out << " " << HexField::Format(image[row * GridMetrics::kColumns + column]);
        }
        m_out << "\n";
    }
    return kSuccess;
}

int CliTool::ListPorts() {
    const std::vector<PortInfo> ports = PortDiscovery::List();
    if (ports.empty()) {
        Inform(QStringLiteral("No parallel ports or I2C adapters found (try --port sim)."));
    }
    for (const PortInfo& port : ports) {
        m_out << QString::fromStdString(port.name).leftJustified(20) << " "
              << QString::fromStdString(port.description) << "\n";
    }
    return kSuccess;
}

std::unique_ptr<DeviceLink> CliTool::OpenLink() {
    try {
        return m_ports->OpenLink();
    } catch (const PortError& error) {
        Report(QString::fromStdString(error.what()));
        return nullptr;
    }
}

bool CliTool::ReadDevice(EepromImage& image) {
    std::unique_ptr<DeviceLink> link = OpenLink();
    if (!link) {
        return false;
    }
    const LinkResult result = link->ReadAll(image);
    if (!result) {
        Report(QString::fromStdString(result.message));
    }
    return result.ok;
}

bool CliTool::LoadFile(const QString& file, EepromImage& image) {
    const ImageFileResult loaded = ImageFile::Read(file, image);
    if (!loaded.ok()) {
        Report(loaded.Message());
    }
    return loaded.ok();
}

int CliTool::Compare(const EepromImage& expected, const EepromImage& actual) {
    const std::vector<int> differing = VerifyReport::DifferingRegisters(expected, actual);
    if (!m_quiet) {
        for (int reg : differing) {
            m_out << VerifyReport::AddressText(reg) << " " << HexField::Format(expected[reg]) << " "
                  << HexField::Format(actual[reg]) << "\n";
        }
        if (differing.empty()) {
            m_out << VerifyReport::PassText() << "\n";
        } else {
            m_out << differing.size()
                  << (differing.size() == 1 ? " register differs.\n" : " registers differ.\n");
        }
    }
    return differing.empty() ? kSuccess : kDifferences;
}

void CliTool::Report(const QString& message) {
    m_err << "tarnel-cli: " << message << "\n";
}

void CliTool::Inform(const QString& message) {
    if (!m_quiet) {
        m_err << message << "\n";
    }
}
