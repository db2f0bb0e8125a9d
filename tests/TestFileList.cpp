#include "core/Failure.h"
#include "filelist/FileListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using namespace orvalin;

class TestFileList : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreAppendedInOrderWithDuplicates()
    {
        FileListView list;
        list.add(QStringLiteral("/a/1.webp"));
        list.addRows({QStringLiteral("/a/2.webp"), QStringLiteral("/a/1.webp")});
        list.add(QString());
        QCOMPARE(list.count(), 4);
        QCOMPARE(list.text(1), QStringLiteral("/a/1.webp"));
        QCOMPARE(list.text(2), QStringLiteral("/a/2.webp"));
        QCOMPARE(list.text(3), QStringLiteral("/a/1.webp"));
        QCOMPARE(list.text(4), QString());
    }

    void rowsAreShownInTheFirstColumn()
    {
        FileListView list;
        list.addColumnHeader(FileListColumnHeader());
        list.add(QStringLiteral("/x/y.webp"));
        QCOMPARE(list.model()->columnCount(), 1);
        QCOMPARE(list.model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral(" WebP File(s)"));
        QCOMPARE(list.model()->index(0, 0).data().toString(), QStringLiteral("/x/y.webp"));
        QVERIFY(!(list.model()->flags(list.model()->index(0, 0)) & Qt::ItemIsEditable));
    }

    void containsIsExact()
    {
        FileListView list;
        QVERIFY(!FileListContains(list, QString()));
        QVERIFY(!FileListContains(list, QStringLiteral("/a/b.webp")));
        list.add(QStringLiteral("/a/b.webp"));
        list.add(QStringLiteral("/c/Ä ü.webp"));
        QVERIFY(FileListContains(list, QStringLiteral("/a/b.webp")));
        QVERIFY(FileListContains(list, QStringLiteral("/c/Ä ü.webp")));
        QVERIFY(!FileListContains(list, QStringLiteral("/a/B.webp")));
        QVERIFY(!FileListContains(list, QStringLiteral("/c/ä ü.webp")));
        QVERIFY(!FileListContains(list, QStringLiteral("/a//b.webp")));
        QVERIFY(!FileListContains(list, QStringLiteral("/a/b.webp ")));
        QVERIFY(!FileListContains(list, QStringLiteral("/a/b")));
    }

    void editingByPosition()
    {
        FileListView list;
        list.addRows({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        list.setText(1, QStringLiteral("C2"));
        list.remove(2);
        QCOMPARE(list.rows(), (QStringList{"C2", "C"}));
        list.clear();
        QCOMPARE(list.count(), 0);
        list.clear();
        QCOMPARE(list.count(), 0);
    }

    void positionsOutsideTheListAreRefused()
    {
        FileListView list;
        QVERIFY_THROWS_EXCEPTION(Failure, list.text(1));
        list.add(QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(Failure, list.text(0));
        QVERIFY_THROWS_EXCEPTION(Failure, list.text(2));
        QVERIFY_THROWS_EXCEPTION(Failure, list.setText(2, QStringLiteral("B")));
        QVERIFY_THROWS_EXCEPTION(Failure, list.remove(-1));
        QCOMPARE(list.rows(), QStringList{QStringLiteral("A")});
    }

    void columnWidthInTwips()
    {
        FileListView list;
        list.addColumnHeader(FileListColumnHeader());
        list.setColumnWidthTwips(1, FileListColumnWidthTwips);
        QCOMPARE(list.header()->sectionSize(0), qRound(7000 * list.logicalDpiX() / 1440.0));
        QVERIFY(!list.header()->stretchLastSection());
        QVERIFY(!list.header()->isHidden());
    }

    void manyRowsAreAddedAsOneInsertion()
    {
        // A scan adds its rows in one go, so the view updates once, not once a row.
        FileListView list;
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        QStringList rows;
        for (int i = 0; i < 1000; ++i)
            rows << QStringLiteral("/f/%1.webp").arg(i);
        list.addRows(rows);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(list.count(), 1000);
        QCOMPARE(list.text(1000), QStringLiteral("/f/999.webp"));
    }
};

QTEST_MAIN(TestFileList)
#include "TestFileList.moc"
