// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCellAccessible.h"

#include <QCoreApplication>

#include "CtarnelApp.h"
#include "CtarnelView.h"
#include "GridAccessible.h"
#include "HexField.h"

GridCellAccessible::GridCellAccessible(GridAccessible& table, int index) : m_table(table) {
    if (index < GridAccessible::kColumnHeaders) {
        m_kind = Kind::ColumnHeader;
        m_column = index;
    } else if (index < GridAccessible::kFirstRegister) {
        m_kind = Kind::RowHeader;
        m_row = index - GridAccessible::kColumnHeaders;
    } else {
        m_kind = Kind::Register;
        m_row = (index - GridAccessible::kFirstRegister) / GridMetrics::kColumns;
        m_column = (index - GridAccessible::kFirstRegister) % GridMetrics::kColumns;
    }
}

bool GridCellAccessible::isValid() const {
    return m_table.isValid();
}

QObject* GridCellAccessible::object() const {
    return nullptr;
}

QAccessibleInterface* GridCellAccessible::childAt(int, int) const {
    return nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const {
    return &m_table;
}

QAccessibleInterface* GridCellAccessible::child(int) const {
    return nullptr;
}

int GridCellAccessible::childCount() const {
    return 0;
}

int GridCellAccessible::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QString GridCellAccessible::Content() const {
    switch (m_kind) {
        case Kind::ColumnHeader:
            return QString::number(m_column);
        case Kind::RowHeader:
            return QString::number(10 * m_row);
        case Kind::Register:
            break;
    }
    return HexField::Format(AfxGetApp()->m_image[m_row * GridMetrics::kColumns + m_column]);
}

QString GridCellAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Name) {
        return m_kind == Kind::Register
                   ? QCoreApplication::translate("GridAccessible", "Register %1")
                         .arg(m_row * GridMetrics::kColumns + m_column)
                   : Content();
    }
    if (type == QAccessible::Value && m_kind == Kind::Register) {
        return Content();
    }
    return QString();
}

void GridCellAccessible::setText(QAccessible::Text, const QString&) {}

GridRect GridCellAccessible::Area() const {
    const GridMetrics& m = m_table.View().Metrics();
    switch (m_kind) {
        case Kind::ColumnHeader: {
            const int x = m.labelWidth + m_column * m.cellWidth;
            return GridRect{x, 0, x + m.cellWidth, m.cellHeight};
        }
        case Kind::RowHeader: {
            const int y = (m_row + 1) * m.cellHeight;
            return GridRect{0, y, m.labelWidth + GridMetrics::kLabelBoxOverhang, y + m.cellHeight};
        }
        case Kind::Register:
            break;
    }
    return GetCellRect(m, m_row, m_column);
}

QRect GridCellAccessible::rect() const {
    return m_table.View().ScreenRect(Area());
}

QAccessible::Role GridCellAccessible::role() const {
    switch (m_kind) {
        case Kind::ColumnHeader:
            return QAccessible::ColumnHeader;
        case Kind::RowHeader:
            return QAccessible::RowHeader;
        case Kind::Register:
            break;
    }
    return QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const {
    QAccessible::State state;
    state.readOnly = true;
    state.invisible = !m_table.View().isVisible();
    return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface && m_kind == Kind::Register) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return nullptr;
}

bool GridCellAccessible::isSelected() const {
    return false;
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    return {m_table.child(m_column)};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
    return {m_table.child(GridAccessible::kColumnHeaders + m_row)};
}

int GridCellAccessible::columnIndex() const {
    return m_column;
}

int GridCellAccessible::rowIndex() const {
    return m_row;
}

int GridCellAccessible::columnExtent() const {
    return 1;
}

int GridCellAccessible::rowExtent() const {
    return 1;
}

QAccessibleInterface* GridCellAccessible::table() const {
    return &m_table;
}

void GridCellAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

int GridCellAccessible::selectionCount() const {
    return 0;
}

void GridCellAccessible::addSelection(int, int) {}

void GridCellAccessible::removeSelection(int) {}

void GridCellAccessible::setSelection(int, int, int) {}

int GridCellAccessible::cursorPosition() const {
    return 0;
}

void GridCellAccessible::setCursorPosition(int) {}

QString GridCellAccessible::text(int startOffset, int endOffset) const {
    const QString content = Content();
    if (endOffset < 0 || endOffset > content.size()) {
        endOffset = static_cast<int>(content.size());
    }
    startOffset = std::clamp(startOffset, 0, endOffset);
    return content.mid(startOffset, endOffset - startOffset);
}

int GridCellAccessible::characterCount() const {
    return static_cast<int>(Content().size());
}

QRect GridCellAccessible::characterRect(int) const {
    return rect();
}

int GridCellAccessible::offsetAtPoint(const QPoint&) const {
    return -1;
}

void GridCellAccessible::scrollToSubstring(int, int) {}

QString GridCellAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}
