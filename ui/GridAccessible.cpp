// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridAccessible.h"

#include <QCoreApplication>

#include "CtarnelView.h"
#include "GridCellAccessible.h"

GridAccessible::GridAccessible(CtarnelView* view) : QAccessibleWidget(view, QAccessible::Table) {}

GridAccessible::~GridAccessible() {
    for (const QAccessible::Id id : std::as_const(m_children)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* GridAccessible::Factory(const QString&, QObject* object) {
    auto* view = qobject_cast<CtarnelView*>(object);
    return view != nullptr ? new GridAccessible(view) : nullptr;
}

CtarnelView& GridAccessible::View() const {
    return *static_cast<CtarnelView*>(widget());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString GridAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Name) {
        return QCoreApplication::translate("GridAccessible", "Registers");
    }
    return QAccessibleWidget::text(type);
}

int GridAccessible::childCount() const {
    return kFirstRegister + GridMetrics::kRows * GridMetrics::kColumns -
           (GridMetrics::kColumns - 1 - GridMetrics::kLastColumnOfLastRow);
}

QAccessibleInterface* GridAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    if (const auto found = m_children.constFind(index); found != m_children.cend()) {
        return QAccessible::accessibleInterface(*found);
    }
    auto* cell = new GridCellAccessible(*const_cast<GridAccessible*>(this), index);
    m_children.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    for (auto it = m_children.cbegin(); it != m_children.cend(); ++it) {
        if (it.value() == id) {
            return it.key();
        }
    }
    return -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    for (int index = 0; index < childCount(); ++index) {
        QAccessibleInterface* cell = child(index);
        if (cell->rect().contains(x, y)) {
            return cell;
        }
    }
    return nullptr;
}

QAccessibleInterface* GridAccessible::caption() const {
    return nullptr;
}

QAccessibleInterface* GridAccessible::summary() const {
    return nullptr;
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    const int last = row == GridMetrics::kLastRow ? GridMetrics::kLastColumnOfLastRow
                                                  : GridMetrics::kColumns - 1;
    if (row < 0 || row > GridMetrics::kLastRow || column < 0 || column > last) {
        return nullptr;
    }
    return child(kFirstRegister + row * GridMetrics::kColumns + column);
}

int GridAccessible::selectedCellCount() const {
    return 0;
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
    return {};
}

QString GridAccessible::columnDescription(int column) const {
    return QString::number(column);
}

QString GridAccessible::rowDescription(int row) const {
    return QString::number(10 * row);
}

int GridAccessible::selectedColumnCount() const {
    return 0;
}

int GridAccessible::selectedRowCount() const {
    return 0;
}

int GridAccessible::columnCount() const {
    return GridMetrics::kColumns;
}

int GridAccessible::rowCount() const {
    return GridMetrics::kRows;
}

QList<int> GridAccessible::selectedColumns() const {
    return {};
}

QList<int> GridAccessible::selectedRows() const {
    return {};
}

bool GridAccessible::isColumnSelected(int) const {
    return false;
}

bool GridAccessible::isRowSelected(int) const {
    return false;
}

bool GridAccessible::selectRow(int) {
    return false;
}

bool GridAccessible::selectColumn(int) {
    return false;
}

bool GridAccessible::unselectRow(int) {
    return false;
}

bool GridAccessible::unselectColumn(int) {
    return false;
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {}
