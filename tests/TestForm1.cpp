#include "app/Form1.h"
#include "app/ProgressBarWithText.h"
#include "core/Failure.h"
#include "core/FailureReport.h"
#include "core/Twips.h"
#include "core/UncarriedNames.h"
#include "filelist/FileListView.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageWriter>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

using namespace orvalin;
using orvalin::testing::nativePath;
using orvalin::testing::Window;
using orvalin::testing::writeFile;

namespace {

int menuBarHeight(Window& window)
{
    auto* menuBar = window.form->findChild<QMenuBar*>(QStringLiteral("MenuBar"));
    return menuBar ? menuBar->height() : -1;
}

// A cursor file: Qt writes the icon, then the directory is marked as a cursor's with a hot spot.
QByteArray cursorFile(QPoint hotSpot)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < 32; ++i)
        image.setPixel(i, i, qRgba(0, 0, 0, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image))
        qFatal("cannot write an icon: %s", qPrintable(writer.errorString()));
    QByteArray bytes = buffer.data();
    qToLittleEndian<quint16>(2, bytes.data() + 2);
    qToLittleEndian<quint16>(quint16(hotSpot.x()), bytes.data() + 10);
    qToLittleEndian<quint16>(quint16(hotSpot.y()), bytes.data() + 12);
    return bytes;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, const char* container, QRect twips) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                                << twips;
        };
        row("ListView1", "Form1", {120, 120, 7800, 2535});
        row("PushButton1", "Form1", {120, 2750, 3840, 405});
        row("PushButton4", "Form1", {4080, 2740, 3840, 405});
        row("PushButton6", "Form1", {120, 3260, 3840, 405});
        row("PushButton7", "Form1", {4080, 3260, 3840, 405});
        row("Frame1", "Form1", {120, 3720, 7800, 885});
        row("Slider1", "Frame1", {120, 240, 7560, 540});
        row("Frame5", "Form1", {120, 4665, 7800, 1815});
        row("Option1", "Frame5", {240, 300, 3615, 255});
        row("Frame3", "Frame5", {480, 510, 6840, 810});
        row("Text1", "Frame3", {240, 300, 5670, 345});
        row("PushButton9", "Frame3", {6000, 300, 600, 345});
        row("Option2", "Frame5", {240, 1410, 3615, 255});
        row("PushButton2", "Form1", {120, 6600, 7800, 405});
        row("ProgressBar1", "Form1", {120, 7120, 7800, 405});
    }
    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        Window window;
        auto* control = window.control<QWidget>(qPrintable(name));
        QCOMPARE(control->parentWidget()->objectName(), container);
        const qreal dpiX = control->logicalDpiX();
        const qreal dpiY = control->logicalDpiY();
        // The window's own controls stand measured from below the menu bar.
        const int below = container == QLatin1String("Form1") ? menuBarHeight(window) : 0;
        QCOMPARE(control->geometry(),
                 twipsToRect(twips.x(), twips.y(), twips.width(), twips.height(), dpiX, dpiY)
                     .translated(0, below));
    }

    void windowIsFixedCentredAndWhite()
    {
        Window window;
        Form1& form = *window.form;
        const QSize client(twipsToPixels(8040, form.logicalDpiX()),
                           twipsToPixels(7650, form.logicalDpiY()) + menuBarHeight(window));
        QCOMPARE(form.minimumSize(), client);
        QCOMPARE(form.maximumSize(), client);
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        const QPoint screenCentre = form.screen()->availableGeometry().center();
        QVERIFY(qAbs(form.geometry().center().x() - screenCentre.x()) <= 1);
        QVERIFY(qAbs(form.geometry().center().y() - screenCentre.y()) <= 1);
        QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
        for (const char* name : {"Frame1", "Frame3", "Frame5", "Option1", "Option2"})
            QCOMPARE(window.control<QWidget>(name)->palette().color(QPalette::Window),
                     QColor(Qt::white));
    }

    void designTextsAndStates()
    {
        Window window({.load = false});
        const auto buttonText = [&](const char* name) {
            return window.control<QPushButton>(name)->text();
        };
        QCOMPARE(buttonText("PushButton1"), QStringLiteral("Add WebP File(s)"));
        QCOMPARE(buttonText("PushButton4"), QStringLiteral("Add All WebP File(s) In Folder"));
        QCOMPARE(buttonText("PushButton6"), QStringLiteral("Clear List"));
        QCOMPARE(buttonText("PushButton7"), QStringLiteral("Load Sample/Example Files"));
        QCOMPARE(buttonText("PushButton9"), QStringLiteral("..."));
        QCOMPARE(buttonText("PushButton2"), QStringLiteral("Start Converting"));
        QCOMPARE(window.control<QGroupBox>("Frame1")->title(), QStringLiteral("JPG Image Quality"));
        QCOMPARE(window.control<QGroupBox>("Frame5")->title(), QStringLiteral("Save Option"));
        QCOMPARE(window.control<QGroupBox>("Frame3")->title(), QString());
        auto* option1 = window.control<QRadioButton>("Option1");
        auto* option2 = window.control<QRadioButton>("Option2");
        QCOMPARE(option1->text(), QStringLiteral("Save results to this folder:"));
        QCOMPARE(option2->text(), QStringLiteral("Save results in folder of original file"));
        QVERIFY(option1->isChecked());
        QVERIFY(!option2->isChecked());
        QCOMPARE(window.control<QLineEdit>("Text1")->text(), QString());
        QCOMPARE(window.control<QProgressBar>("ProgressBar1")->text(),
                 QStringLiteral("Progress Bar"));
        QCOMPARE(window.control<QProgressBar>("ProgressBar1")->value(), 0);
        QCOMPARE(window.control<FileListView>("ListView1")->toolTip(),
                 QStringLiteral("Drag and drop files here. Double-click item to remove it. Move | "
                                "line to right and out of window to reveal full names."));

        auto* slider = window.control<QSlider>("Slider1");
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), 100);
        QCOMPARE(slider->singleStep(), 1);
        QCOMPARE(slider->pageStep(), 5);
        QCOMPARE(slider->tickInterval(), 1);
        QVERIFY(slider->tickPosition() != QSlider::NoTicks);
        QCOMPARE(slider->value(), 85);
    }

    // Changes come faster than frames during a run; the last one always reaches the screen.
    void theBarShowsItsLastChange()
    {
        ProgressBarWithText bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        for (int step = 1; step <= 40; ++step) {
            bar.setExactValue(step * 2.4);
            bar.setText(QStringLiteral("Processing: %1.webp").arg(step));
        }
        QTRY_COMPARE(bar.value(), 96);
        QCOMPARE(bar.text(), QStringLiteral("Processing: 40.webp"));
        QCOMPARE(bar.accessibleName(), bar.text());
        bar.setExactValue(250);
        QTRY_COMPARE(bar.value(), 100);
        QCOMPARE(bar.exactValue(), 250.0);
    }

    // Screen readers read a name for the controls whose look names nothing; the bar's name is the
    // text it shows.
    void namesForAssistiveTechnology()
    {
        Window window;
        const auto name = [&](const char* control) {
            QAccessibleInterface* node =
                QAccessible::queryAccessibleInterface(window.control<QWidget>(control));
            return node ? node->text(QAccessible::Name) : QStringLiteral("<none>");
        };
        QCOMPARE(name("ListView1"), QStringLiteral("WebP files to convert"));
        QCOMPARE(name("Text1"), QStringLiteral("Output folder"));
        QCOMPARE(name("PushButton9"), QStringLiteral("Choose output folder"));
        QCOMPARE(name("ProgressBar1"), QStringLiteral("Progress Bar"));
        auto* bar = window.control<ProgressBarWithText>("ProgressBar1");
        bar->setText(QStringLiteral("Processing: a.webp"));
        QTRY_COMPARE(name("ProgressBar1"), QStringLiteral("Processing: a.webp"));
    }

    void fonts()
    {
        Window window;
        const QFont windowFont = window.form->font();
        QCOMPARE(windowFont.family(), QStringLiteral("Arial"));
        QCOMPARE(windowFont.pointSizeF(), 9.0);
        QVERIFY(windowFont.bold());
#ifndef Q_OS_WIN // Windows' offscreen platform has no fonts; the face shows on the screenshot
        // Arial, or the metric-compatible face the system offers for it.
        const QString shown = QFontInfo(windowFont).family();
        QVERIFY2(shown == QStringLiteral("Arial") || shown == QStringLiteral("Liberation Sans"),
                 qPrintable(shown));
#endif
        for (const char* name : {"PushButton1", "PushButton2", "PushButton4", "PushButton6",
                                 "PushButton7", "PushButton9"}) {
            const QFont font = window.control<QPushButton>(name)->font();
            QCOMPARE(font.family(), QStringLiteral("Arial"));
            QCOMPARE(font.pointSizeF(), 11.25);
            QVERIFY(font.bold());
        }
        QCOMPARE(window.control<QWidget>("ListView1")->font(), windowFont);
        QCOMPARE(window.control<QWidget>("Option2")->font(), windowFont);
    }

    void tabOrderAndInitialFocus()
    {
        Window window;
        QStringList order;
        QWidget* widget = window.control<QWidget>("ListView1");
        do {
            if (!widget->objectName().isEmpty() && (widget->focusPolicy() & Qt::TabFocus))
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != window.control<QWidget>("ListView1"));
        QCOMPARE(order, (QStringList{"ListView1", "PushButton1", "PushButton4", "PushButton2",
                                     "PushButton6", "PushButton7", "Option1", "Option2", "Text1",
                                     "PushButton9", "Slider1"}));

        window.form->show();
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        QCOMPARE(QApplication::focusWidget(), window.control<QWidget>("ListView1"));
    }

    void firstLoadWithoutOptionalFiles()
    {
        Window window;
        Form1& form = *window.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Orvalin"));
        QCOMPARE(form.applicationTitle(), QStringLiteral("Orvalin"));
        QVERIFY(window.seams.messageBoxes.shown.isEmpty());

        const QList<QSize> sizes = form.windowIcon().availableSizes();
        QCOMPARE(sizes.size(), 4);
        for (const int size : {32, 48, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        QVERIFY(!form.windowIcon().pixmap(QSize(32, 32)).hasAlphaChannel());
        QVERIFY(form.windowIcon().pixmap(QSize(256, 256)).hasAlphaChannel());

        auto* list = window.control<FileListView>("ListView1");
        QCOMPARE(list->model()->columnCount(), 1);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral(" WebP File(s)"));
        QCOMPARE(list->header()->sectionSize(0), twipsToPixels(7000, list->logicalDpiX()));
        QCOMPARE(list->count(), 0);

        QVERIFY(!form.hasCustomPointer());
        form.setMousePointer(PointerKind::Custom);
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
    }

    void handPointerFromTheProgramFolder()
    {
        Window window({.prepareProgramFolder = [](const QString& folder) {
            writeFile(folder + QStringLiteral("/HAND-M.CUR"), cursorFile({5, 3}));
        }});
        QVERIFY(window.seams.messageBoxes.shown.isEmpty());
        QVERIFY(window.form->hasCustomPointer());
        window.form->setMousePointer(PointerKind::Custom);
        QCOMPARE(window.form->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window.form->cursor().hotSpot(), QPoint(5, 3));
        QCOMPARE(window.form->cursor().pixmap().size(), QSize(32, 32));
        window.form->setMousePointer(PointerKind::Busy);
        QCOMPARE(window.form->cursor().shape(), Qt::WaitCursor);
        QVERIFY(window.form->isBusy());
    }

    void unreadableHandPointerIsReportedAndLoadingGoesOn_data()
    {
        QTest::addColumn<bool>("asFolder");
        QTest::newRow("not a picture") << false;
        QTest::newRow("a folder of that name") << true;
    }
    void unreadableHandPointerIsReportedAndLoadingGoesOn()
    {
        QFETCH(bool, asFolder);
        Window window({.prepareProgramFolder = [&](const QString& folder) {
            const QString path = folder + QStringLiteral("/HAND-M.CUR");
            if (asFolder)
                QDir().mkdir(path);
            else
                writeFile(path, "this is text, not a cursor");
        }});
        const auto& shown = window.seams.messageBoxes.shown;
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, QStringLiteral("Application Error"));
        QCOMPARE(shown.first().icon, MessageIcon::Warning);
        QVERIFY2(
            shown.first()
                .text.section(QStringLiteral("\r\n"), 1)
                .startsWith(QStringLiteral("in Tessaly2021/08/31.Form1.Form_Load at line 104\r\r")),
            qPrintable(shown.first().text));
        QVERIFY(!window.form->hasCustomPointer());
        QCOMPARE(window.form->windowTitle(), QStringLiteral("Orvalin"));
        auto* list = window.control<FileListView>("ListView1");
        QCOMPARE(list->header()->sectionSize(0), twipsToPixels(7000, list->logicalDpiX()));
    }

    void clearList()
    {
        Window window;
        window.click("PushButton6");
        QCOMPARE(window.rows(), QStringList());

        window.form->fileList().addRows({QStringLiteral("/a.webp"), QStringLiteral("/b.webp")});
        window.form->setMousePointer(PointerKind::Busy);
        window.click("PushButton6");
        QCOMPARE(window.rows().size(), 2);

        window.form->setMousePointer(PointerKind::Custom);
        window.click("PushButton6");
        QCOMPARE(window.rows(), QStringList());
        QVERIFY(window.seams.messageBoxes.shown.isEmpty());
    }

    void addFilesDialogIsAskedAsDesigned()
    {
        Window window;
        window.click("PushButton1");
        const auto& requests = window.seams.fileDialogs.openRequests;
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().title,
                 QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"));
        QCOMPARE(requests.first().filter, QStringLiteral("WebP (*.webp)"));
        QVERIFY(requests.first().multipleSelection);
        QCOMPARE(window.seams.fileDialogs.owners.first(), window.form.get());
        // Cancelled: nothing added, nothing shown.
        QCOMPARE(window.rows(), QStringList());
        QVERIFY(window.seams.messageBoxes.shown.isEmpty());
    }

    void addFilesByDialog_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("rows");
        const QStringList odd{QStringLiteral("/d/-dash \"quoted\" 'single'.webp"),
                              QStringLiteral("/d/line\nbreak.webp"),
                              QStringLiteral("/d/Привет 世界.WEBP"),
                              QStringLiteral("/d/no extension")};
        QTest::newRow("one file") << QStringList{"/p/one.webp"} << QStringList{"/p/one.webp"};
        QTest::newRow("one file in the root")
            << QStringList{"/one.webp"} << QStringList{"/one.webp"};
        QTest::newRow("several in a folder")
            << QStringList{"/p/q/3.webp", "/p/q/1.webp", "/p/q/2.webp"}
            << QStringList{"/p/q/3.webp", "/p/q/1.webp", "/p/q/2.webp"};
        QTest::newRow("several in the root") << QStringList{"/a.webp", "/b.webp", "/c.webp"}
                                             << QStringList{"/a.webp", "/b.webp", "/c.webp"};
        QTest::newRow("odd names pass unchanged") << odd << odd;
        QTest::newRow("several folders keep their own")
            << QStringList{"/p/a.webp", "/q/r/b.webp", "/p/c.webp", "/d.webp"}
            << QStringList{"/p/a.webp", "/q/r/b.webp", "/p/c.webp", "/d.webp"};
        QTest::newRow("one odd name alone") << QStringList{odd[1]} << QStringList{odd[1]};
    }
    void addFilesByDialog()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, rows);
        Window window;
        window.form->fileList().add(QStringLiteral("/earlier.webp"));
        window.seams.fileDialogs.openAnswers << chosen;
        window.click("PushButton1");
        QCOMPARE(window.rows(), QStringList{QStringLiteral("/earlier.webp")} + rows);
        QVERIFY(window.seams.messageBoxes.shown.isEmpty());
    }

    // A name whose bytes the dialog could not hand back is told of, not listed as a file that
    // later fails as "not WebP".
    void aNameSpoiltByDecodingIsToldOf()
    {
        QTemporaryDir folder;
        const QString good = folder.filePath(QStringLiteral("good.webp"));
        const QString spoilt = folder.filePath(QStringLiteral("caf\uFFFD.webp"));
        Window window;
        window.seams.fileDialogs.openAnswers << QStringList{good, spoilt};
        window.click("PushButton1");
        QCOMPARE(window.rows(), QStringList{good});
        QCOMPARE(window.seams.messageBoxes.shown.size(), 1);
        QCOMPARE(window.seams.messageBoxes.shown.first().text,
                 NotAddedMessage({NotAddedLine(spoilt, NameNotUtf8Reason())}));
    }

    void sameFileTwiceGivesTwoRows()
    {
        Window window;
        window.seams.fileDialogs.openAnswers << QStringList{"/p/a.webp"}
                                             << QStringList{"/p/a.webp"};
        window.click("PushButton1");
        window.click("PushButton1");
        QCOMPARE(window.rows(), (QStringList{"/p/a.webp", "/p/a.webp"}));
    }

    void selectionTooLargeForTheReturnedText()
    {
        // Folder "/f" then NUL and a 9-character name per file: 2 + 10 a file.
        const auto selection = [](int files) {
            QStringList chosen;
            for (int i = 0; i < files; ++i)
                chosen << nativePath(QStringLiteral("/f/%1.webp").arg(i, 4, 10, QLatin1Char('0')));
            return chosen;
        };
        Window window;
        window.seams.fileDialogs.openAnswers << selection(2999) << selection(3000)
                                             << QStringList{nativePath("/") + QString(30001, u'n')};
        window.click("PushButton1"); // 29992 characters: fits
        QCOMPARE(window.rows().size(), 2999);
        QVERIFY(window.seams.messageBoxes.shown.isEmpty());

        window.form->fileList().clear();
        window.click("PushButton1"); // 30002 characters
        window.click("PushButton1"); // one path of 30002 characters
        QCOMPARE(window.rows(), QStringList());
        const auto& shown = window.seams.messageBoxes.shown;
        QCOMPARE(shown.size(), 2);
        for (const MessageRequest& box : shown) {
            QCOMPARE(box.text, QStringLiteral("You've selected too many files to add.\r\r"
                                              "Please try adding via the \"Add All\" button."));
            QCOMPARE(box.title, QStringLiteral("Orvalin"));
            QCOMPARE(box.icon, MessageIcon::None);
            QCOMPARE(box.buttons, MessageButtons::Ok);
        }
    }
};

QTEST_MAIN(TestForm1)
#include "TestForm1.moc"
