// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTool.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "AuditLog.h"
#include "Counter.h"
#include "CounterTool.h"
#include "DashedName.h"
#include "DeviceCommands.h"
#include "DeviceLink.h"
#include "DeviceMessages.h"
#include "DumpFormat.h"
#include "HexField.h"
#include "ImageFile.h"
#include "JsonForms.h"
#include "LogRecord.h"
#include "MultiPortRunner.h"
#include "PortDiscovery.h"
#include "PortError.h"
#include "PortFactory.h"
#include "PortKinds.h"
#include "PortNameError.h"
#include "StampedWrite.h"
#include "VerifyReport.h"

namespace {

const QString kStandardStream = QStringLiteral("-");

// The name messages give the process's standard input.
QString StandardInput() {
    return CliTool::tr("standard input");
}

// Refuses to replace `file`, which exists, without --force.
QString ExistsAlready(const QString& file) {
    return CliTool::tr("%1 exists already; use --force to overwrite it.").arg(file);
}

std::ostream& operator<<(std::ostream& stream, const QString& text) {
    return stream << text.toStdString();
}

// The absolute path of an image file named on the command line; empty for
// standard input or output.
QString AbsolutePath(const QString& file) {
    return file == kStandardStream ? QString() : QFileInfo(file).absoluteFilePath();
}

// How many FILE arguments `command` takes; -1 for an unknown command.
int FileCount(const QString& command) {
    if (command == "read" || command == "write" || command == "verify") {
        return 1;
    }
    if (command == "compare" || command == "convert") {
        return 2;
    }
    if (command == "dump" || command == "probe" || command == "list-ports") {
        return 0;
    }
    return -1;
}
}  // namespace

CliTool::CliTool(std::ostream& out, std::ostream& err, bool progress, std::istream& in)
    : m_out(out), m_err(err), m_in(in), m_progress(progress) {}

CliTool::~CliTool() = default;

int CliTool::Run(const QStringList& arguments) {
    const int status = RunArguments(arguments);
    // With --json, even a usage error gives the one JSON object.
    if (!m_usageError.isEmpty() && arguments.contains(QStringLiteral("--json"))) {
        m_out << JsonForms::Line(QJsonObject{{"error", m_usageError}, {"exit", kUsage}})
                     .toStdString();
    }
    return status;
}

int CliTool::RunArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Reads, writes and verifies the configuration EEPROM of a network switch.\n\n"
           "Commands:\n"
           "  read FILE            read the device into an image file (- : standard output)\n"
           "  write FILE           write an image file to the device and verify it\n"
           "                       (- : standard input)\n"
           "  verify FILE          compare the device with an image file (- : standard input)\n"
           "  dump                 print the device's registers (see --format)\n"
           "  compare FILE1 FILE2  compare two image files; needs no port\n"
           "  convert IN OUT       write the image of IN into OUT in OUT's format (- : standard\n"
           "                       input or output); needs no port\n"
           "  probe                check the adapter, the bus and the EEPROM step by step,\n"
           "                       writing nothing\n"
           "  list-ports           list the parallel ports and I2C adapters present\n"
           "  counter create SOURCE FIRST LAST\n"
           "                       make a counter of the values FIRST to LAST (decimal or 0x\n"
           "                       hexadecimal, up to 64 bits) for write --stamp\n"
           "  counter show SOURCE  its next and last value, how many are left, the void ones\n\n"
           "A counter SOURCE is a file or postgresql://HOST/DB?...#NAME, a counter NAME in a\n"
           "PostgreSQL database shared by several stations; each value is given once.\n\n"
           "With several ports (--port given more than once, or TARNEL_PORT=a,b,c), write,\n"
           "verify, dump and probe run on all of them at once; every output line starts\n"
           "with its port's name (with --json: an array of one object per port), and the\n"
           "exit status is the worst of the ports.\n\n"
           "Image files are raw (128 bytes), Intel HEX (.hex, .ihex, .ihx) or S-record (.srec,\n"
           ".s19, .mot), by their names; --image-format chooses for a name or for -.\n\n"
           "Every device operation appends one JSON line to the audit log (--log or\n"
           "$TARNEL_LOG): time, host, user, program, version, port, operation, file,\n"
           "file_sha256, device_sha256, result, exit, differences, message, duration_ms\n"
           "(and stamp, counter, void). A postgresql:// URI as the log keeps each record\n"
           "as a row of its table tarnel_log instead.\n\n"
           "Exit status: 0 success, 1 the device (or FILE2) differs, 2 usage error,\n"
           "3 port or device failure, 4 file, audit log or counter error."));
    const QCommandLineOption help({"h", "help"}, tr("Show this help."));
    const QCommandLineOption version({"v", "version"}, tr("Show the version."));
    const QCommandLineOption port(
        "port",
        tr("Port: %1 (default: $TARNEL_PORT, names separated by commas, then /dev/parport0). "
           "Give it several times for several ports. An unknown, malformed or empty name is a "
           "usage error.")
            .arg(QString::fromStdString(PortKinds::FormList())),
        tr("NAME"));
    const QCommandLineOption trace(
        "trace",
        tr("Record the bus traffic of a parallel port as a VCD file at FILE, the name "
           "as given (no .vcd is added); an existing FILE is replaced."),
        tr("FILE"));
    const QCommandLineOption log(
        "log",
        tr("Append one JSON line per device operation to FILE, or a row to the "
           "database of a postgresql:// URI (default: $TARNEL_LOG); a log that "
           "cannot be opened or written is exit 4."),
        tr("FILE"));
    const QCommandLineOption json(
        "json", tr("Print the result as one JSON object on standard output (read, "
                   "write, verify, dump, probe, compare, list-ports)."));
    const QCommandLineOption format(
        "format", tr("dump: the layout, grid (default), i2cdump or xxd."), tr("FORMAT"));
    const QCommandLineOption quiet({"q", "quiet"},
                                   tr("Print nothing but errors; the exit code tells."));
    const QCommandLineOption force("force",
                                   tr("read, convert: overwrite an existing FILE or OUT."));
    const QCommandLineOption imageFormat(
        "image-format",
        tr("The format of the image files, raw, ihex or srec, whatever their names "
           "say (- is raw without it). Given once it is for every FILE; compare and "
           "convert take it twice, for their two FILEs in turn."),
        tr("FORMAT"));
    const QCommandLineOption pageSize(
        "page-size",
        tr("write: registers per write transaction, 1 (byte writes, the default), "
           "2, 4, 8 or 16. A size larger than the EEPROM's page shows as registers "
           "that differ after the read-back."),
        tr("N"));
    const QCommandLineOption stamp(
        "stamp",
        tr("write, verify: registers REG to REG+LEN-1 (LEN 1 to 8) hold the unit's "
           "own value, most significant byte first (:le least significant first); "
           "write takes it from --counter, verify compares the other registers and "
           "shows the value the switch holds."),
        tr("REG:LEN[:le]"));
    const QCommandLineOption counter(
        "counter",
        tr("write --stamp: the counter that gives every unit a value of its own, a "
           "file or postgresql://HOST/DB?...#NAME."),
        tr("SOURCE"));
    const QCommandLineOption noVerify("no-verify", tr("write: do not read back and compare."));
    parser.addOptions({help, version, port, trace, log, json, format, quiet, force, noVerify,
                       imageFormat, pageSize, stamp, counter});
    parser.addPositionalArgument(
        tr("command"), tr("read, write, verify, dump, probe, compare, convert or list-ports"));
    parser.addPositionalArgument(tr("FILE"), tr("an image file"), tr("[FILE]..."));

    if (!parser.parse(arguments)) {
        const QString hint = DashedName::Hint(parser, arguments);
        return Usage(tr("%1 (see --help)").arg(hint.isEmpty() ? parser.errorText() : hint));
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
    m_json = parser.isSet(json);

    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    if (command == "counter") {
        return CounterTool::Run(positional.mid(1), m_json, m_quiet, m_out, m_err);
    }
    const int files = FileCount(command);
    if (files < 0) {
        return Usage(command.isEmpty() ? tr("No command given (see --help).")
                                       : tr("Unknown command \"%1\" (see --help).").arg(command));
    }
    if (positional.size() != files + 1) {
        return Usage((files == 0   ? tr("%1 takes no FILE.")
                      : files == 1 ? tr("%1 needs exactly one FILE.")
                                   : tr("%1 needs exactly two FILEs."))
                         .arg(command));
    }
    const QString file = positional.value(1);
    for (const QString& name : positional.mid(1)) {
        if (name.isEmpty()) {
            return Usage(
                tr("A FILE given is empty; name an image file (- for the standard input or "
                   "output)."));
        }
    }
    std::optional<DumpFormat::Kind> dumpFormat = DumpFormat::Kind::grid;
    if (parser.isSet(format)) {
        dumpFormat = command == "dump" ? DumpFormat::Parse(parser.value(format)) : std::nullopt;
        if (!dumpFormat) {
            return Usage(command == "dump" ? tr("Unknown format \"%1\"; use %2.")
                                                 .arg(parser.value(format), DumpFormat::Names())
                                           : tr("--format is for dump only."));
        }
    }
    for (const QString& name : parser.values(imageFormat)) {
        const std::optional<ImageFormat::Kind> kind = ImageFormat::Parse(name);
        if (!kind) {
            Report(tr("Unknown image format \"%1\"; use %2.").arg(name, ImageFormat::Names()));
            return kUsage;
        }
        m_formats.push_back(*kind);
    }
    if (files == 0 && !m_formats.empty()) {
        Report(tr("%1 takes no FILE, so no --image-format.").arg(command));
        return kUsage;
    }
    if (m_formats.size() > 1 && static_cast<int>(m_formats.size()) != files) {
        Report(tr("Give --image-format once, or once for each FILE."));
        return kUsage;
    }
    if (parser.isSet(pageSize)) {
        bool number = false;
        m_pageSize = parser.value(pageSize).toInt(&number);
        if (command != "write") {
            Report(tr("--page-size is for write only."));
            return kUsage;
        }
        if (!number || !DeviceLink::IsPageSize(m_pageSize)) {
            Report(
                tr("--page-size takes 1, 2, 4, 8 or 16, not \"%1\".").arg(parser.value(pageSize)));
            return kUsage;
        }
    }
    const QString stampProblem = StampedWrite::UsageProblem(
        command, parser.isSet(stamp) ? std::optional(parser.value(stamp)) : std::nullopt,
        parser.isSet(counter) ? std::optional(parser.value(counter)) : std::nullopt);
    if (!stampProblem.isEmpty()) {
        return Usage(stampProblem);
    }
    if (parser.isSet(stamp)) {
        QString unused;
        m_stamp = Stamp::Parse(parser.value(stamp), unused);
        m_counterSource = parser.value(counter);
    }
    if (command == "read" && file == kStandardStream && m_json) {
        return Usage(tr("read - writes the image to standard output; leave out --json."));
    }
    if (command == "compare" && file == kStandardStream && positional.value(2) == file) {
        return Usage(tr("compare can read only one of its FILEs from standard input."));
    }
    if (command == "convert" && positional.value(2) == kStandardStream && m_json) {
        Report(tr("convert IN - writes the image to standard output; leave out --json."));
        return kUsage;
    }

    if (command == "list-ports") {
        return ListPorts();
    }
    if (command == "compare" || command == "convert") {
        LogRecord record(LogRecord::kCliProgram, QString(), command);
        return command == "compare"
                   ? CompareFiles(record, file, positional.value(2))
                   : Convert(record, file, positional.value(2), parser.isSet(force));
    }

    for (const QString& name : parser.values(port) + parser.values(trace) + parser.values(log)) {
        if (const QString problem = ImageFile::NameProblem(name); !problem.isEmpty()) {
            return Usage(problem);
        }
    }
    std::vector<std::string> ports{m_onePort};
    if (m_onePort.empty()) {
        QString problem;
        ports = MultiPortRunner::ChoosePortNames(parser.values(port), problem);
        if (ports.empty()) {
            return Usage(problem);
        }
    }
    for (const std::string& name : ports) {
        try {
            PortFactory::CheckName(name);
        } catch (const PortError& error) {
            return Usage(QString::fromStdString(error.what()));
        }
    }
    SimFaults simFaults;
    int simPageSize = 0;
    try {
        simFaults = PortFactory::ChooseSimFaults();
        simPageSize = PortFactory::ChooseSimPageSize();
    } catch (const PortNameError& error) {
        return Usage(QString::fromStdString(error.what()));
    }
    if (ports.size() > 1) {
        return RunOnEveryPort(arguments, ports, command, file, parser.isSet(trace));
    }
    const std::string& portName = ports.front();
    m_ports = std::make_unique<PortFactory>(portName);
    m_ports->SetSimFaults(simFaults);
    m_ports->SetSimPageSize(simPageSize);

    LogRecord record(LogRecord::kCliProgram, QString::fromStdString(portName), command);
    const std::optional<QString> logPath =
        AuditLog::ChoosePath(parser.isSet(log) ? std::optional(parser.value(log)) : std::nullopt);
    if (logPath && !ImageFile::NameProblem(*logPath).isEmpty()) {
        return Usage(QString::fromLatin1(AuditLog::kEnvironmentVariable) + QStringLiteral(": ") +
                     ImageFile::NameProblem(*logPath));
    }
    if (!m_runner.OpenLog(logPath)) {
        return Conclude(record, Fail(record, m_runner.LogError(), kFileFailure));
    }
    if (parser.isSet(trace)) {
        try {
            m_ports->SetTrace(QFile::encodeName(parser.value(trace)).toStdString());
        } catch (const PortNameError& error) {
            return Conclude(record, Fail(record, QString::fromStdString(error.what()), kUsage));
        } catch (const PortError& error) {
            return Conclude(record,
                            Fail(record, QString::fromStdString(error.what()), kFileFailure));
        }
    }
    if (m_portSetup) {
        m_portSetup(*m_ports);
    }

    return RunCommand(record, [&] {
        if (command == "read") {
            return Read(record, file, parser.isSet(force));
        }
        if (command == "write") {
            return Write(record, file, !parser.isSet(noVerify));
        }
        if (command == "verify") {
            return Verify(record, file);
        }
        if (command == "probe") {
            return Probe(record);
        }
        return Dump(record, *dumpFormat);
    });
}

int CliTool::RunCommand(LogRecord& record, const std::function<int()>& command) {
    int status = kDeviceFailure;
    const LinkResult result = m_runner.Run(record, [&] {
        status = command();
        return LinkResult::Success();
    });
    if (!result) {
        Report(QString::fromStdString(result.message));
        return Conclude(record, kDeviceFailure);
    }
    return status;
}

int CliTool::RunOnEveryPort(const QStringList& arguments, const std::vector<std::string>& ports,
                            const QString& command, const QString& file, bool traced) {
    if (command == "read") {
        return Usage(tr("read takes one port, as it writes one FILE."));
    }
    if (traced) {
        return Usage(tr("--trace records one port; give one --port with it."));
    }
    // The image is read once for all ports (standard input can be read only
    // once, and image files are read under an exclusive lock); each port's
    // run records and reports the outcome itself.
    std::optional<std::pair<ImageFileResult, EepromImage>> image;
    if (!file.isEmpty()) {
        image.emplace();
        image->first = ReadImage(file, image->second);
    }
    return MultiPortRunner::Run(
        ports,
        [&](const std::string& port, std::ostream& out, std::ostream& err) {
            CliTool tool(out, err, false);
            tool.m_onePort = port;
            tool.m_loaded = image;
            tool.m_portSetup = m_portSetup;
            return tool.Run(arguments);
        },
        m_out, m_err, m_json);
}

int CliTool::Read(LogRecord& record, const QString& file, bool force) {
    const bool toOutput = file == kStandardStream;
    if (!toOutput) {
        record.SetFile(AbsolutePath(file));
        // Refuse a file that cannot be written before the device is touched.
        if (const ImageFileResult target = ImageFile::CheckTarget(file); !target.ok()) {
            return Conclude(record, Fail(record, target.Message(), kFileFailure));
        }
    }
    if (!toOutput && !force && QFileInfo::exists(file)) {
        return Conclude(record, Fail(record, ExistsAlready(file), kFileFailure));
    }
    EepromImage image{};
    if (!ReadDevice(record, image)) {
        return Conclude(record, kDeviceFailure);
    }
    const QJsonObject registers{{"registers", JsonForms::Registers(image)}};
    if (const QString problem = StoreImage(file, image, 0); !problem.isEmpty()) {
        return Conclude(record, Fail(record, problem, kFileFailure), registers);
    }
    record.SetFile(AbsolutePath(file), image);
    if (!toOutput) {
        Inform(tr("Read 128 registers into %1.").arg(file));
    }
    return Conclude(record, kSuccess, registers);
}

int CliTool::Write(LogRecord& record, const QString& file, bool verify) {
    EepromImage image{};
    if (!LoadFile(record, file, image)) {
        return Conclude(record, kFileFailure);
    }
    std::unique_ptr<StampedWrite> stamped;
    bool stampRefused = false;
    // The value of a unit that does not end up holding the stamped image is void.
    const auto settle = [&](bool stored) {
        return stamped ? stamped->Finish(stored, record) : QString();
    };
    const bool showProgress = m_progress && !m_quiet;
    EepromImage readBack{};
    DeviceCommands::DownloadOutcome outcome;
    // The read-back goes over the same open link: nobody else gets the
    // port between the write and its check.
    const LinkResult result = m_runner.RunOnLink(*m_ports, record, [&](DeviceLink& link) {
        // A value is taken only once the port is open.
        if (m_stamp) {
            stamped = std::make_unique<StampedWrite>(*m_stamp, Counter::ForSource(m_counterSource));
            if (!stamped->Take(image, record)) {
                stampRefused = true;
                return LinkResult::Success();
            }
            Inform(stamped->TakenText());
        }
        outcome = DeviceCommands::Download(
            link, image, readBack, record,
            [&](int written) {
                if (showProgress) {
                    m_err << '\r' << tr("Writing register %1 of %2").arg(written).arg(kEepromSize)
                          << std::flush;
                }
            },
            m_pageSize, verify);
        if (showProgress) {
            m_err << "\n";
        }
        // Registers that differ are the comparison's outcome (exit 1), not a
        // failure of the device.
        return outcome.stage == DeviceCommands::DownloadStage::differs ? LinkResult::Success()
                                                                       : outcome.result;
    });
    if (stampRefused) {
        return Conclude(record, Fail(record, stamped->ErrorText(), kFileFailure));
    }
    const QJsonObject written =
        stamped ? QJsonObject{{"registers", JsonForms::Registers(image)}} : QJsonObject{};
    if (!result) {
        const QString voided = settle(false);
        return Conclude(record,
                        Fail(record,
                             QString::fromStdString(result.message) +
                                 (voided.isEmpty() ? QString() : ' ' + voided),
                             kDeviceFailure),
                        written);
    }
    if (!verify) {
        settle(true);
        Inform(DeviceMessages::DownloadNotVerified());
        return Conclude(record, kSuccess, written);
    }
    // The download is completed only when the switch holds the whole image.
    const int status = ShowDifferences(record);
    const QString voided = settle(status == kSuccess);
    if (status == kSuccess) {
        Inform(DeviceMessages::DownloadCompleted());
    } else {
        Report(QString::fromStdString(outcome.result.message));
        if (!voided.isEmpty()) {
            Report(voided);
        }
        if (m_pageSize > 1) {
            Report(tr("The EEPROM may take pages smaller than %1 bytes, whose addresses wrap: "
                      "write again with a smaller --page-size.")
                       .arg(m_pageSize));
        }
    }
    return Conclude(record, status, written);
}

int CliTool::Verify(LogRecord& record, const QString& file) {
    EepromImage image{};
    if (!LoadFile(record, file, image)) {
        return Conclude(record, kFileFailure);
    }
    // The stamped registers are the unit's own: compared is everything else.
    std::optional<uint64_t> held;
    const auto expected = [&](const EepromImage& readBack) {
        if (m_stamp) {
            held = m_stamp->ValueIn(readBack);
            image = m_stamp->Apply(image, *held);
        }
        return image;
    };
    EepromImage readBack{};
    if (!ReadDevice(record, readBack, expected)) {
        return Conclude(record, kDeviceFailure);
    }
    if (!held) {
        return Conclude(record, ShowDifferences(record));
    }
    record.SetStamp(m_stamp->ToJson(*held));
    if (!m_quiet && !m_json) {
        m_out << m_stamp->HeldText(*held) << "\n";
    }
    return Conclude(record, ShowDifferences(record), {{"registers", JsonForms::Registers(image)}});
}

int CliTool::Dump(LogRecord& record, DumpFormat::Kind format) {
    EepromImage image{};
    if (!ReadDevice(record, image)) {
        return Conclude(record, kDeviceFailure);
    }
    if (!m_json && !m_quiet) {
        m_out << DumpFormat::Format(format, image);
    }
    return Conclude(record, kSuccess, {{"registers", JsonForms::Registers(image)}});
}

int CliTool::CompareFiles(LogRecord& record, const QString& first, const QString& second) {
    EepromImage expected{};
    EepromImage actual{};
    if (!LoadFile(record, first, expected)) {
        return Conclude(record, kFileFailure);
    }
    const ImageFileResult loaded = ReadImage(second, actual, 1);
    if (!loaded.ok()) {
        return Conclude(record, Fail(record, loaded.Message(), kFileFailure));
    }
    const QString secondPath = AbsolutePath(second);
    const QJsonObject secondFile{
        {"compared_file",
         secondPath.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(secondPath)},
        {"compared_file_sha256", LogRecord::Sha256(actual)}};
    return Conclude(record, Compare(record, expected, actual), secondFile);
}

int CliTool::Convert(LogRecord& record, const QString& in, const QString& out, bool force) {
    EepromImage image{};
    if (!LoadFile(record, in, image)) {
        return Conclude(record, kFileFailure);
    }
    if (out != kStandardStream && !force && QFileInfo::exists(out)) {
        return Conclude(record, Fail(record, ExistsAlready(out), kFileFailure));
    }
    if (const QString problem = StoreImage(out, image, 1); !problem.isEmpty()) {
        return Conclude(record, Fail(record, problem, kFileFailure));
    }
    if (out != kStandardStream) {
        Inform(tr("Wrote the image of %1 into %2 (%3).")
                   .arg(in == kStandardStream ? StandardInput() : in, out,
                        ImageFormat::Title(FormatOf(out, 1))));
    }
    const QString outPath = AbsolutePath(out);
    return Conclude(record, kSuccess,
                    {{"converted_file",
                      outPath.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(outPath)}});
}

int CliTool::Probe(LogRecord& record) {
    const ProbeReport report = DeviceCommands::Probe(*m_ports, record);
    for (const ProbeStep& step : report.Steps()) {
        const QString line = QString::fromStdString(step.Line());
        if (!m_json && !m_quiet) {
            m_out << line << "\n";
        } else if (!step.passed) {
            Report(line);
        }
    }
    return Conclude(record, report.Passed() ? kSuccess : kDeviceFailure,
                    {{"steps", JsonForms::Steps(report)}});
}

int CliTool::ListPorts() {
    LogRecord record(LogRecord::kCliProgram, QString(), QStringLiteral("list-ports"));
    const std::vector<PortInfo> ports = PortDiscovery::List();
    if (ports.empty()) {
        Inform(tr("No parallel ports or I2C adapters found (try --port sim)."));
    }
    if (!m_json) {
        for (const PortInfo& port : ports) {
            m_out << QString::fromStdString(port.name).leftJustified(20) << " "
                  << QString::fromStdString(port.description);
            if (!port.usable) {
                m_out << tr(" (the computer's own SMBus: not usable)");
            } else if (!port.byName.empty()) {
                m_out << tr(" (by name: \"%1\")").arg(QString::fromStdString(port.byName));
            }
            m_out << "\n";
        }
    }
    return Conclude(record, kSuccess, {{"ports", JsonForms::Ports(ports)}});
}

int CliTool::Conclude(LogRecord& record, int exit, const QJsonObject& output) {
    // A trace that could not be written fails a command that succeeded, and
    // the record and --json say so too.
    if (const std::optional<QString> traceError =
            m_ports ? m_runner.FlushTrace(*m_ports, record, exit == kSuccess) : std::nullopt) {
        Report(*traceError);
        if (exit == kSuccess) {
            exit = kFileFailure;
        }
    }
    record.Finish();
    if (m_json) {
        record.SetExit(exit);
        QJsonObject object = record.ToJson(LogRecord::Fields::output);
        for (auto field = output.begin(); field != output.end(); ++field) {
            object.insert(field.key(), field.value());
        }
        m_out << JsonForms::Line(object).toStdString();
    }
    // Results that never reached standard output (a closed pipe, a full
    // disk) fail the command; the record, written last, says so.
    errno = 0;
    m_out.flush();
    if (!m_out && (exit == kSuccess || exit == kDifferences)) {
        const int error = errno;
        exit = Fail(record,
                    error != 0 ? tr("Cannot write the results to standard output: %1.")
                                     .arg(QString::fromLocal8Bit(std::strerror(error)))
                               : tr("Cannot write the results to standard output."),
                    kFileFailure);
    }
    record.SetExit(exit);
    if (const std::optional<QString> logError = m_runner.Append(record)) {
        Report(*logError);
        return kFileFailure;
    }
    return exit;
}

int CliTool::Fail(LogRecord& record, const QString& message, int exit) {
    Report(message);
    record.Fail(message);
    return exit;
}

bool CliTool::ReadDevice(LogRecord& record, EepromImage& image,
                         const DeviceCommands::ExpectedImage& expected) {
    const LinkResult result = m_runner.RunOnLink(*m_ports, record, [&](DeviceLink& link) {
        return expected ? DeviceCommands::Verify(link, expected, image, record)
                        : DeviceCommands::Upload(link, image, record);
    });
    if (!result) {
        Report(QString::fromStdString(result.message));
    }
    return result.ok;
}

ImageFormat::Kind CliTool::FormatOf(const QString& file, int position) const {
    if (m_formats.empty()) {
        return ImageFormat::ForName(file);
    }
    return m_formats.size() == 1 ? m_formats.front() : m_formats.at(position);
}

ImageFileResult CliTool::ReadImage(const QString& file, EepromImage& image, int position) {
    if (m_loaded) {
        image = m_loaded->second;
        return m_loaded->first;
    }
    const ImageFormat::Kind format = FormatOf(file, position);
    if (file != kStandardStream) {
        return ImageFile::Read(file, image, nullptr, format, ImageFile::Length::exact);
    }
    // The process's own standard input may be closed or a folder; say so
    // rather than that it held no bytes.
    struct stat input {};
    if (m_inputClosed) {
        ImageFileResult closed;
        closed.stage = ImageFileResult::Stage::Refused;
        closed.refusal = tr("Cannot read the image from standard input: it is closed.");
        return closed;
    }
    if (&m_in == &std::cin && ::fstat(STDIN_FILENO, &input) == 0 && S_ISDIR(input.st_mode)) {
        ImageFileResult folder;
        folder.stage = ImageFileResult::Stage::Refused;
        folder.refusal = tr("standard input is a folder, not an image file.");
        return folder;
    }
    return ImageFile::ReadStream(m_in, StandardInput(), image, format);
}

QString CliTool::StoreImage(const QString& file, const EepromImage& image, int position) {
    const ImageFormat::Kind format = FormatOf(file, position);
    if (file != kStandardStream) {
        const ImageFileResult written = ImageFile::Write(file, image, format);
        return written.ok() ? QString() : written.Message();
    }
    const QByteArray contents = ImageFormat::Encode(format, image);
    m_out.write(contents.constData(), contents.size());
    m_out.flush();
    return m_out ? QString() : tr("Cannot write the image to standard output.");
}

bool CliTool::LoadFile(LogRecord& record, const QString& file, EepromImage& image, int position) {
    const ImageFileResult loaded = ReadImage(file, image, position);
    if (!loaded.ok()) {
        record.SetFile(AbsolutePath(file));
        Fail(record, loaded.Message(), kFileFailure);
        return false;
    }
    record.SetFile(AbsolutePath(file), image);
    return true;
}

int CliTool::Compare(LogRecord& record, const EepromImage& expected, const EepromImage& actual) {
    record.Compare(expected, actual);
    return ShowDifferences(record);
}

int CliTool::ShowDifferences(const LogRecord& record) {
    const std::vector<RegisterDifference>& differing = record.Differences();
    if (!m_quiet && !m_json) {
        for (const RegisterDifference& difference : differing) {
            m_out << VerifyReport::AddressText(difference.reg) << " "
                  << HexField::Format(difference.expected) << " "
                  << HexField::Format(difference.actual) << "\n";
        }
        if (differing.empty()) {
            m_out << VerifyReport::PassText() << "\n";
        } else {
            m_out << (differing.size() == 1 ? tr("%1 register differs.\n")
                                            : tr("%1 registers differ.\n"))
                         .arg(differing.size());
        }
    }
    return differing.empty() ? kSuccess : kDifferences;
}

int CliTool::Usage(const QString& message) {
    Report(message);
    m_usageError = message;
    return kUsage;
}

void CliTool::Report(const QString& message) {
    m_err << "tarnel-cli: " << message << "\n";
}

void CliTool::Inform(const QString& message) {
    if (!m_quiet) {
        m_err << message << "\n";
    }
}
