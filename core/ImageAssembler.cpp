// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageAssembler.h"

#include <QStringList>

#include "HexField.h"
#include "RecordText.h"

QString ImageAssembler::Place(int line, uint64_t address, const QByteArray& data) {
    for (qsizetype i = 0; i < data.size(); ++i) {
        const uint64_t at = address + static_cast<uint64_t>(i);
        if (at >= kEepromSize) {
            return RecordText::AtLine(line, tr("data at address %1 lies outside registers 0 to 127")
                                                .arg(RecordText::Hex(static_cast<unsigned>(at))));
        }
        const auto value = static_cast<uint8_t>(data[i]);
        if (m_lineOf[at] != 0 && m_image[at] != value) {
            return RecordText::AtLine(
                line, tr("register %1 is given as %2 here but as %3 on line "
                         "%4")
                          .arg(at)
                          .arg(HexField::Format(value), HexField::Format(m_image[at]))
                          .arg(m_lineOf[at]));
        }
        m_image[at] = value;
        m_lineOf[at] = line;
    }
    return {};
}

QString ImageAssembler::Finish(int endLine, EepromImage& image) const {
    QStringList missing;
    int missingCount = 0;
    for (std::size_t reg = 0; reg < kEepromSize; ++reg) {
        if (m_lineOf[reg] != 0) {
            continue;
        }
        std::size_t last = reg;
        while (last + 1 < kEepromSize && m_lineOf[last + 1] == 0) {
            ++last;
        }
        missing << (last == reg ? QString::number(reg) : tr("%1 to %2").arg(reg).arg(last));
        missingCount += static_cast<int>(last - reg + 1);
        reg = last;
    }
    if (missingCount == 0) {
        image = m_image;
        return {};
    }
    const QString what = missingCount == 1
                             ? tr("the end record comes with register %1 missing; an image "
                                  "file gives all 128 registers")
                             : tr("the end record comes with registers %1 missing; an image "
                                  "file gives all 128 registers");
    return RecordText::AtLine(endLine, what.arg(missing.join(QStringLiteral(", "))));
}
