// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridAccessible.h"

#include <QAccessible>
#include <QLineEdit>
#include <QScrollBar>

#include "AppFixture.h"
#include "CRegisterEditDlg.h"
#include "GridCellAccessible.h"

namespace {

class GridAccessibleTest : public AppFixture {
protected:
    QAccessibleInterface* Grid() const { return QAccessible::queryAccessibleInterface(&View()); }
    QAccessibleTableInterface* Table() const { return Grid()->tableInterface(); }
    static QString TextOf(QAccessibleInterface* cell) {
        return cell->textInterface()->text(0, cell->textInterface()->characterCount());
    }
};

TEST_F(GridAccessibleTest, TheGridIsANamedTableOf13RowsAnd10Columns) {
    ASSERT_NE(Grid(), nullptr);
    EXPECT_EQ(Grid()->role(), QAccessible::Table);
    EXPECT_FALSE(Grid()->text(QAccessible::Name).isEmpty());
    ASSERT_NE(Table(), nullptr);
    EXPECT_EQ(Table()->rowCount(), 13);
    EXPECT_EQ(Table()->columnCount(), 10);
    // Ten column headers, thirteen row headers, 128 registers.
    EXPECT_EQ(Grid()->childCount(), 151);
    for (int index : {0, 9, 10, 22, 23, 150}) {
        EXPECT_EQ(Grid()->indexOfChild(Grid()->child(index)), index);
        EXPECT_EQ(Grid()->child(index)->parent(), Grid());
    }
    EXPECT_EQ(Grid()->child(151), nullptr);
}

// Each register cell is named after its register and reads the image when
// asked; its row and column have their labels as headers.
TEST_F(GridAccessibleTest, CellsNameTheirRegisterAndCarryItsValue) {
    app->m_image[0] = 0x0A;
    app->m_image[37] = 0x5C;
    app->m_image[127] = 0xFF;
    const struct {
        int row;
        int column;
        QString name;
        QString value;
        QString rowHeader;
        QString columnHeader;
    } cases[] = {
        {0, 0, "Register 0", "0A", "0", "0"},
        {3, 7, "Register 37", "5C", "30", "7"},
        {12, 7, "Register 127", "FF", "120", "7"},
        {11, 9, "Register 119", "00", "110", "9"},
    };
    for (const auto& c : cases) {
        QAccessibleInterface* cell = Table()->cellAt(c.row, c.column);
        ASSERT_NE(cell, nullptr) << c.row << "," << c.column;
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), c.name);
        EXPECT_EQ(cell->text(QAccessible::Value), c.value);
        EXPECT_EQ(TextOf(cell), c.value);
        EXPECT_TRUE(cell->state().readOnly);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->rowIndex(), c.row);
        EXPECT_EQ(place->columnIndex(), c.column);
        EXPECT_EQ(place->table(), Grid());
        ASSERT_EQ(place->rowHeaderCells().size(), 1);
        EXPECT_EQ(place->rowHeaderCells()[0]->role(), QAccessible::RowHeader);
        EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name), c.rowHeader);
        EXPECT_EQ(Table()->rowDescription(c.row), c.rowHeader);
        ASSERT_EQ(place->columnHeaderCells().size(), 1);
        EXPECT_EQ(place->columnHeaderCells()[0]->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(place->columnHeaderCells()[0]->text(QAccessible::Name), c.columnHeader);
        EXPECT_EQ(Table()->columnDescription(c.column), c.columnHeader);
    }
    // Row 12 ends at column 7, and nothing lies outside the grid.
    for (const auto& [row, column] : {std::pair{12, 8}, {12, 9}, {13, 0}, {-1, 0}, {0, 10}}) {
        EXPECT_EQ(Table()->cellAt(row, column), nullptr) << row << "," << column;
    }
    app->m_image[37] = 0x01;
    EXPECT_EQ(TextOf(Table()->cellAt(3, 7)), "01");
}

// A cell lies where the view shows it, also after scrolling, and a point on
// the screen finds it.
TEST_F(GridAccessibleTest, CellsLieWhereTheViewShowsThem) {
    const QPoint viewport = View().viewport()->mapToGlobal(QPoint(0, 0));
    QAccessibleInterface* first = Table()->cellAt(0, 0);
    EXPECT_EQ(first->rect(), QRect(viewport + QPoint(25, 25), QSize(47, 23)));
    EXPECT_EQ(Grid()->childAt(viewport.x() + 30, viewport.y() + 30), first);
    EXPECT_EQ(Grid()->childAt(viewport.x() + 5, viewport.y() + 30)->text(QAccessible::Name), "0");
    Frame().resize(300, 200);
    View().verticalScrollBar()->setValue(24);
    EXPECT_EQ(first->rect().topLeft(),
              View().viewport()->mapToGlobal(QPoint(0, 0)) + QPoint(25, 1));
}

TEST_F(GridAccessibleTest, EditorFieldsAreNamedAfterTheirRegisters) {
    const CRegisterEditDlg dialog;
    for (int n : {0, 9, 10, 127}) {
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(dialog.Field(n));
        EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("Register %1").arg(n));
    }
}

}  // namespace
