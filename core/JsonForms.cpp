// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonForms.h"

#include <QJsonDocument>
#include <QString>

#include "PortDiscovery.h"
#include "ProbeReport.h"

QJsonArray JsonForms::Registers(const EepromImage& image) {
    QJsonArray registers;
    for (uint8_t value : image) {
        registers.append(value);
    }
    return registers;
}

QJsonArray JsonForms::Ports(const std::vector<PortInfo>& ports) {
    QJsonArray array;
    for (const PortInfo& port : ports) {
        QJsonObject object{{"name", QString::fromStdString(port.name)},
                           {"description", QString::fromStdString(port.description)},
                           {"usable", port.usable}};
        if (!port.byName.empty()) {
            object.insert("by_name", QString::fromStdString(port.byName));
        }
        array.append(object);
    }
    return array;
}

QJsonArray JsonForms::Steps(const ProbeReport& report) {
    QJsonArray array;
    for (const ProbeStep& step : report.Steps()) {
        array.append(QJsonObject{{"check", QString::fromStdString(step.check)},
                                 {"passed", step.passed},
                                 {"verdict", QString::fromStdString(step.verdict)}});
    }
    return array;
}

QByteArray JsonForms::Line(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
