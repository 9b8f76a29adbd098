// The sample grid SG1: deleting a sample, "No way!" below the last one, the editing states.
#include "calib/SampleGrid.h"
#include "TestMain.h"
#include "calib/SampleTable.h"
#include "common/MessageCatcher.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {
void clickRow(SampleGrid &grid, int row)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
        QPoint(40, grid.rowViewportPosition(row - 1) + grid.rowHeight(row - 1) / 2));
}
} // namespace

class SampleGridTest : public QObject {
    Q_OBJECT

private slots:
    void deleteRowTwoOfFour()
    {
        SampleTable table;
        for (int i = 1; i <= 4; ++i)
            table.Register(i * 10, i * 10 + 1);
        SampleGrid grid(table);
        grid.resize(300, 300);
        grid.show();
        grid.WyswietlTablice();
        QSignalSpy count(&grid, &SampleGrid::IloscProbekChanged);
        clickRow(grid, 2);
        grid.Usu1->trigger();
        QCOMPARE(count.size(), 1);
        QCOMPARE(count.at(0).at(0).toInt(), 3);
        const char *rows[][3] = {{"1", "10", "11"}, {"2", "30", "31"}, {"3", "40", "41"}};
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(grid.Cell(0, r), QString::fromLatin1(rows[r - 1][0]));
            QCOMPARE(grid.Cell(2, r), QString::fromLatin1(rows[r - 1][1]));
            QCOMPARE(grid.Cell(3, r), QString::fromLatin1(rows[r - 1][2]));
        }
        for (int c = 0; c < 5; ++c)
            QVERIFY(grid.Cell(c, 4).isEmpty());
        QCOMPARE(grid.Cell(3, 0), QStringLiteral("Ucal"));

        // Below the last sample nothing is deleted or opened for editing.
        MessageCatcher messages;
        clickRow(grid, 4);
        grid.Usu1->trigger();
        grid.Edytuj1->trigger();
        QCOMPARE(messages.texts(), QStringList({"No way!", "No way!"}));
        QCOMPARE(table.IloscProbek(), uint16_t(3));
        QCOMPARE(grid.Cell(0, 3), QStringLiteral("3"));
        QVERIFY(!grid.Edycja);
    }

    void editingEndsOnAnotherRowOrLeavingTheGrid()
    {
        SampleTable table;
        table.Register(1, 2);
        table.Register(3, 4);
        QWidget window;
        SampleGrid grid(table, &window);
        grid.setGeometry(0, 0, 300, 200);
        QLineEdit other(&window);
        other.setGeometry(0, 210, 100, 20);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid.setFocus();
        clickRow(grid, 2);
        grid.Edytuj1->trigger();
        QVERIFY(grid.Edycja);
        QCOMPARE(grid.WierszEdycji, 2);
        QCOMPARE(grid.options(), SampleGrid::kEditing);
        QVERIFY(grid.editTriggers() != QAbstractItemView::NoEditTriggers);
        clickRow(grid, 2);
        QVERIFY(grid.Edycja);
        clickRow(grid, 1);
        QVERIFY(!grid.Edycja);
        QCOMPARE(grid.options(), SampleGrid::kRowSelection);
        other.setFocus();
        QTRY_COMPARE(grid.options(), SampleGrid::kNormal);
    }
};

NERIX_TEST(SampleGridTest)
#include "SampleGridTest.moc"
