#include "filelist/FileListView.h"
#include "filelist/ListEditing.h"
#include "tests/support/WindowFixture.h"

#include <QScrollBar>
#include <QTest>

using namespace orvalin;
using orvalin::testing::Window;

namespace {

// A list of its own, shown, with the editing attached and a busy switch.
struct EditedList
{
    explicit EditedList(const QStringList& rows)
    {
        list.addColumnHeader(FileListColumnHeader());
        list.addRows(rows);
        list.resize(400, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        editing = new ListEditing(list, {[this] { return busy; }, [this] { ++pointerMoves; }, {}});
    }

    QPoint centreOf(int position) const
    {
        return list.visualRect(list.model()->index(position - 1, 0)).center();
    }

    void select(int position) { list.setCurrentIndex(list.model()->index(position - 1, 0)); }
    int selected() const { return list.currentIndex().row() + 1; }

    FileListView list;
    ListEditing* editing = nullptr;
    bool busy = false;
    int pointerMoves = 0;
};

QStringList numbered(int count)
{
    QStringList rows;
    for (int i = 1; i <= count; ++i)
        rows << QStringLiteral("/f/%1.webp").arg(i);
    return rows;
}

} // namespace

class TestListEditing : public QObject
{
    Q_OBJECT

private slots:
    void deleteRemovesTheSelectedRow_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Delete") << Qt::KeyboardModifiers(Qt::NoModifier);
        QTest::newRow("Shift+Delete") << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Delete") << Qt::KeyboardModifiers(Qt::ControlModifier);
    }
    void deleteRemovesTheSelectedRow()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        EditedList edited({"A", "B", "C"});
        edited.select(2);
        QTest::keyClick(&edited.list, Qt::Key_Delete, modifiers);
        QCOMPARE(edited.list.rows(), (QStringList{"A", "C"}));
        QTest::keyClick(&edited.list, Qt::Key_Backspace);
        QCOMPARE(edited.list.rows().size(), 2);
    }

    void removalIsRefusedWhenBusyEmptyOrNothingIsSelected()
    {
        EditedList edited({"A", "B"});
        edited.select(1);
        edited.busy = true;
        QTest::keyClick(&edited.list, Qt::Key_Delete);
        QTest::mouseDClick(edited.list.viewport(), Qt::LeftButton, {}, edited.centreOf(2));
        QCOMPARE(edited.list.rows(), (QStringList{"A", "B"}));

        edited.busy = false;
        edited.list.clearSelection();
        edited.editing->removeSelectedRow();
        QCOMPARE(edited.list.rows(), (QStringList{"A", "B"}));

        edited.list.clear();
        QTest::keyClick(&edited.list, Qt::Key_Delete);
        QTest::mouseDClick(edited.list.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(edited.list.count(), 0);
    }

    void doubleClickRemovesTheRowUnderThePointer()
    {
        EditedList edited({"A", "B", "C"});
        edited.select(1);
        QTest::mouseDClick(edited.list.viewport(), Qt::LeftButton, {}, edited.centreOf(3));
        QCOMPARE(edited.list.rows(), (QStringList{"A", "B"}));
    }

    void draggingARowExchangesItWithTheRowUnderThePointer()
    {
        EditedList edited({"A", "B", "C", "D"});
        QWidget* viewport = edited.list.viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, edited.centreOf(2));
        QCOMPARE(viewport->cursor().shape(), Qt::ClosedHandCursor);
        QTest::mouseMove(viewport, edited.centreOf(1));
        QCOMPARE(edited.list.rows(), (QStringList{"B", "A", "C", "D"}));
        QCOMPARE(edited.selected(), 1);
        QTest::mouseMove(viewport, edited.centreOf(3)); // B, now row 1, changes places with C
        QCOMPARE(edited.list.rows(), (QStringList{"C", "A", "B", "D"}));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, edited.centreOf(3));
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!edited.editing->pressed());

        QTest::mouseMove(viewport, edited.centreOf(1)); // no button held: nothing moves
        QCOMPARE(edited.list.rows(), (QStringList{"C", "A", "B", "D"}));
        QVERIFY(edited.pointerMoves > 0);
    }

    void aJumpExchangesOnlyTheTwoEndRows()
    {
        EditedList edited({"A", "B", "C", "D"});
        edited.editing->press(edited.centreOf(1));
        edited.editing->move(edited.centreOf(4), 330);
        QCOMPARE(edited.list.rows(), (QStringList{"D", "B", "C", "A"}));
    }

    void equalTextsAreNotExchanged()
    {
        EditedList edited({"A", "B", "A"});
        edited.editing->press(edited.centreOf(1));
        edited.editing->move(edited.centreOf(3), 330);
        QCOMPARE(edited.list.identity(1) < edited.list.identity(3), true);
        QCOMPARE(edited.list.rows(), (QStringList{"A", "B", "A"}));
    }

    void anOlderDraggedRowAndOneThatIsGone()
    {
        EditedList edited({"A", "B", "C"});
        edited.editing->press(edited.centreOf(3));
        edited.editing->release();
        edited.editing->press(QPoint(5, edited.list.viewport()->height() - 2)); // below the rows
        edited.editing->move(edited.centreOf(1), 330);
        QCOMPARE(edited.list.rows(), (QStringList{"C", "B", "A"}));
        edited.editing->release();

        edited.editing->press(edited.centreOf(2));
        edited.list.remove(2);
        edited.editing->move(edited.centreOf(1), 330);
        QCOMPARE(edited.list.rows(), (QStringList{"C", "A"}));
    }

    void scrollingOneRowNearTheScreensEdges()
    {
        EditedList edited(numbered(100));
        QScrollBar* bar = edited.list.verticalScrollBar();
        const int rowHeight = edited.list.visualRect(edited.list.model()->index(0, 0)).height();
        edited.list.scrollTo(edited.list.model()->index(49, 0), QAbstractItemView::PositionAtTop);
        const int top = bar->value();

        // The last fully shown row dragged one down, the pointer between the two thresholds.
        const int lastShown = 50 + edited.list.viewport()->height() / rowHeight - 1;
        edited.editing->press(edited.centreOf(lastShown - 1));
        edited.editing->move(edited.centreOf(lastShown), ListEditing::ScrollDownFromY - 1);
        QCOMPARE(bar->value(), top);
        edited.editing->move(edited.centreOf(lastShown - 1), ListEditing::ScrollDownFromY - 1);

        // Low on the screen: the row after the drop row comes into view.
        edited.editing->move(edited.centreOf(lastShown), ListEditing::ScrollDownFromY);
        QVERIFY(bar->value() > top);
        QVERIFY(edited.list.visualRect(edited.list.model()->index(lastShown, 0)).bottom()
                <= edited.list.viewport()->height());
        edited.editing->release();

        // High on the screen: the row before the drop row comes into view.
        edited.list.scrollTo(edited.list.model()->index(49, 0), QAbstractItemView::PositionAtTop);
        const int before = bar->value();
        edited.editing->press(edited.centreOf(51));
        edited.editing->move(edited.centreOf(50), ListEditing::ScrollUpBelowY - 1);
        QVERIFY(bar->value() < before);
        QVERIFY(edited.list.visualRect(edited.list.model()->index(48, 0)).top() >= 0);
        edited.editing->release();
    }

    void noScrollingPastEitherEnd()
    {
        EditedList edited(numbered(3));
        edited.editing->press(edited.centreOf(2));
        edited.editing->move(edited.centreOf(1), 10);  // no row 0
        edited.editing->move(edited.centreOf(3), 900); // no row after the last
        QCOMPARE(edited.list.rows(), (QStringList{"/f/3.webp", "/f/1.webp", "/f/2.webp"}));
        QCOMPARE(edited.list.verticalScrollBar()->value(), 0);
    }

    void throughTheWindowTheBusyStateAndTheDragPointer()
    {
        Window window({.prepareProgramFolder = [](const QString& folder) {
            QFile::copy(QStringLiteral(DRAG_POINTER), folder + QStringLiteral("/drag.ico"));
        }});
        window.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.form.get()));
        auto* list = window.control<FileListView>("ListView1");
        list->addRows({"A", "B"});
        const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
        const QPoint second = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(list->viewport()->cursor().shape(), Qt::BitmapCursor);
        QTest::mouseMove(list->viewport(), first);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(window.rows(), (QStringList{"B", "A"}));

        window.form->setMousePointer(PointerKind::Busy);
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(window.rows().size(), 2);
        window.form->setMousePointer(PointerKind::Default);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(window.rows(), QStringList{"A"});
    }
};

QTEST_MAIN(TestListEditing)
#include "TestListEditing.moc"
