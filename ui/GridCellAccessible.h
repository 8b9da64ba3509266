// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>

#include "GridGeometry.h"

class GridAccessible;

// One child of the grid's accessible table: a column header ("0" to "9"), a
// row header ("0" to "120") or a register cell, named "Register N" with its
// value ("%02X") as its value and its text. All are read-only.
class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleTextInterface {
public:
    enum class Kind { ColumnHeader, RowHeader, Register };

    // Child `index` of `table` (see GridAccessible for the order).
    GridCellAccessible(GridAccessible& table, int index);

    // QAccessibleInterface: a cell, row header or column header whose
    // rectangle is where the view shows it now.
    bool isValid() const override;
    QObject* object() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableCellInterface (register cells only): one row and one
    // column, with its column's and its row's header.
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override;

    // QAccessibleTextInterface: the value or the label, with no selection
    // and the cursor at its start.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    // The label of a header, the value of a register.
    QString Content() const;
    // Where the cell lies, in the grid's scrollable area.
    GridRect Area() const;

    GridAccessible& m_table;
    Kind m_kind;
    int m_row = 0;     // the row of a register or a row header
    int m_column = 0;  // the column of a register or a column header
};
