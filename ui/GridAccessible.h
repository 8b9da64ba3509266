// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

class CtarnelView;

// What screen readers see of the register grid: a read-only table of 13
// rows and 10 columns whose cells are named "Register N" and carry the
// register's value as their text, with the column labels and the row labels
// as its headers. Its children are the ten column headers, the thirteen row
// headers and the 128 register cells, in that order; they read the register
// image whenever they are asked, as the view's paint does.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    static constexpr int kColumnHeaders = 10;
    static constexpr int kRowHeaders = 13;
    static constexpr int kFirstRegister = kColumnHeaders + kRowHeaders;

    explicit GridAccessible(CtarnelView* view);
    ~GridAccessible() override;

    // The interface of a CtarnelView, for QAccessible::installFactory; null
    // for any other object.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    // The grid view it describes.
    CtarnelView& View() const;

    // QAccessibleInterface: the table, named, with the 151 children above.
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // QAccessibleTableInterface: 13 by 10 cells, (12, 8) and (12, 9) empty;
    // no caption, no summary, nothing selectable.
    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // Child interfaces, made when first asked for and registered with Qt's
    // accessibility cache until the table goes.
    mutable QHash<int, QAccessible::Id> m_children;
};
