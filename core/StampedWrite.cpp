// SPDX-License-Identifier: GPL-3.0-or-later
#include "StampedWrite.h"

#include <QCoreApplication>

#include "DatabaseCounter.h"
#include "LogRecord.h"

QString StampedWrite::UsageProblem(const QString& command, const std::optional<QString>& stamp,
                                   const std::optional<QString>& counter) {
    if (!stamp && !counter) {
        return {};
    }
    if (command != QLatin1String("write") && command != QLatin1String("verify")) {
        return QCoreApplication::translate("StampedWrite",
                                           "--stamp and --counter are for write and verify.");
    }
    if (!stamp) {
        return QCoreApplication::translate(
            "StampedWrite", "--counter gives the values of --stamp REG:LEN; give both.");
    }
    if (QString problem; !Stamp::Parse(*stamp, problem)) {
        return problem;
    }
    if (command == QLatin1String("verify") && counter) {
        return QCoreApplication::translate(
            "StampedWrite",
            "verify --stamp reads the value the switch holds; it takes no --counter.");
    }
    if (command == QLatin1String("write") && !counter) {
        return QCoreApplication::translate("StampedWrite",
                                           "write --stamp takes the values from --counter SOURCE.");
    }
    if (counter && Counter::IsDatabase(*counter)) {
        return DatabaseCounter::SourceProblem(*counter);
    }
    if (counter && counter->isEmpty()) {
        return QCoreApplication::translate(
            "StampedWrite", "--counter needs a SOURCE: a file or a postgresql:// URI.");
    }
    return {};
}

StampedWrite::StampedWrite(const Stamp& stamp, std::unique_ptr<Counter> counter)
    : m_stamp(stamp), m_counter(std::move(counter)) {}

StampedWrite::~StampedWrite() = default;

bool StampedWrite::Take(EepromImage& image, LogRecord& record) {
    uint64_t value = 0;
    if (m_counter->Take(value) != Counter::Outcome::done) {
        m_error = m_counter->ErrorText();
        return false;
    }
    m_value = value;
    record.SetStamp(m_stamp.ToJson(value), m_counter->Name());
    if (!m_stamp.Fits(value)) {
        m_error = QCoreApplication::translate("StampedWrite",
                                              "The value %1 of counter %2 does not fit into %3 "
                                              "registers.")
                      .arg("0x" + QString::number(value, 16).toUpper(), m_counter->Name())
                      .arg(m_stamp.Length()) +
                  ' ' + Void(record);
        return false;
    }
    image = m_stamp.Apply(image, value);
    return true;
}

QString StampedWrite::Finish(bool stored, LogRecord& record) {
    return stored || !m_value ? QString() : Void(record);
}

QString StampedWrite::TakenText() const {
    return QCoreApplication::translate("StampedWrite", "Stamped registers %1 to %2 with %3.")
        .arg(m_stamp.Register())
        .arg(m_stamp.Register() + m_stamp.Length() - 1)
        .arg(m_value ? m_stamp.ValueText(*m_value) : QString());
}

QString StampedWrite::Void(LogRecord& record) {
    record.VoidStamp();
    const QString value = m_stamp.ValueText(*m_value);
    if (!m_counter->Void(*m_value)) {
        return QCoreApplication::translate("StampedWrite",
                                           "The value %1 is void and never given again, but the "
                                           "counter could not record it: %2")
            .arg(value, m_counter->ErrorText());
    }
    return QCoreApplication::translate("StampedWrite",
                                       "The value %1 is void: it is never given again.")
        .arg(value);
}
