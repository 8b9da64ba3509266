// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <vector>

#include "EepromImage.h"

class ProbeReport;
struct PortInfo;

// The JSON forms tarnel-cli prints for scripts and the audit log keeps.
class JsonForms {
public:
    // The 128 register values as an array of integers, register 0 first.
    static QJsonArray Registers(const EepromImage& image);
    // The ports as an array of objects {"name", "description"}.
    static QJsonArray Ports(const std::vector<PortInfo>& ports);
    // The steps of a probe as an array of objects {"check", "passed", "verdict"}.
    static QJsonArray Steps(const ProbeReport& report);
    // `object` as one line of compact JSON ending in a newline (JSON Lines).
    static QByteArray Line(const QJsonObject& object);
};
