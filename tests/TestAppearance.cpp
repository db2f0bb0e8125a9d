#include "app/Appearance.h"
#include "core/FailureReport.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>

using namespace orvalin;
using orvalin::testing::Window;
using orvalin::testing::writeFile;

namespace {

QColor background(QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

void sendMove(QWidget* widget)
{
    // On the window itself, a point of its surface: below the menu bar, left of the controls.
    const auto* menuBar = widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    const QPointF at(3, menuBar ? menuBar->height() + 3 : 3);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

const char* const Dressed[] = {"Frame1", "Frame3", "Frame5", "Option1", "Option2"};

} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void withoutASkinTheWindowStaysWhite()
    {
        Window window({.prepareProgramFolder = [](const QString& folder) {
            QDir().mkpath(folder + QStringLiteral("/x/o.cjs")); // a folder is no skin
        }});
        QCOMPARE(background(window.form.get()), QColor(Qt::white));
        for (const char* name : Dressed)
            QCOMPARE(background(window.control<QWidget>(name)), QColor(Qt::white));
        QCOMPARE(window.form->styleSheet(), QString());
        QVERIFY(window.messages().isEmpty());
    }

    void theExampleSkinDressesTheWindow()
    {
        Window window({.prepareProgramFolder = [](const QString& folder) {
            QDir().mkpath(folder + QStringLiteral("/x"));
            QVERIFY(QFile::copy(QStringLiteral(EXAMPLE_SKIN), folder + QStringLiteral("/x/o.cjs")));
        }});
        const QColor face = QApplication::palette().color(QPalette::Button);
        QCOMPARE(background(window.form.get()), face);
        for (const char* name : Dressed)
            QCOMPARE(background(window.control<QWidget>(name)), face);
        QFile skin(QStringLiteral(EXAMPLE_SKIN));
        QVERIFY(skin.open(QIODevice::ReadOnly));
        QCOMPARE(window.form->styleSheet(), QString::fromUtf8(skin.readAll()));
        QVERIFY(window.messages().isEmpty());
    }

#ifdef Q_OS_LINUX
    void aSkinThatCannotBeReadIsReportedAtLine100()
    {
        // A file whose reading fails for anyone: the process's own memory at address 0.
        Window window({.prepareProgramFolder = [](const QString& folder) {
            QDir().mkpath(folder + QStringLiteral("/x"));
            QVERIFY(
                QFile::link(QStringLiteral("/proc/self/mem"), folder + QStringLiteral("/x/o.cjs")));
        }});
        QCOMPARE(window.messages().size(), 1);
        QVERIFY2(window.messages().first().text.contains(
                     QStringLiteral("Form1.Form_Load at line 100\r\r")),
                 qPrintable(window.messages().first().text));
        QCOMPARE(window.form->styleSheet(), QString());
        QCOMPARE(window.form->windowTitle(), QStringLiteral("Orvalin")); // the load went on
    }
#endif

    void pointerRules()
    {
        QCOMPARE(PointerOverButton(PointerKind::Default), PointerKind::Custom);
        QCOMPARE(PointerOverButton(PointerKind::Custom), PointerKind::Custom);
        QCOMPARE(PointerOverButton(PointerKind::Busy), PointerKind::Busy);
        QCOMPARE(PointerOverSurface(PointerKind::Custom), PointerKind::Default);
        QCOMPARE(PointerOverSurface(PointerKind::Busy), PointerKind::Busy);
    }

    void theHandOverButtonsNeverReplacesTheHourglass()
    {
        Window window;
        Form1& form = *window.form;
        sendMove(window.control<QWidget>("PushButton7"));
        QCOMPARE(form.mousePointer(), PointerKind::Custom);
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor); // no hand pointer file in this folder
        sendMove(window.control<QWidget>("Frame5"));
        QCOMPARE(form.mousePointer(), PointerKind::Default);
        sendMove(window.control<QWidget>("PushButton9"));
        sendMove(window.control<FileListView>("ListView1")->viewport());
        QCOMPARE(form.mousePointer(), PointerKind::Default);
        sendMove(window.control<QWidget>("PushButton2"));
        sendMove(&form);
        QCOMPARE(form.mousePointer(), PointerKind::Default);
        // Controls without a pointer reaction leave the hand where it is.
        sendMove(window.control<QWidget>("PushButton6"));
        sendMove(window.control<QWidget>("Slider1"));
        sendMove(window.control<QWidget>("Option2"));
        QCOMPARE(form.mousePointer(), PointerKind::Custom);

        form.setMousePointer(PointerKind::Busy);
        for (const char* name : {"PushButton1", "Frame1", "PushButton4"})
            sendMove(window.control<QWidget>(name));
        sendMove(window.control<FileListView>("ListView1")->viewport());
        sendMove(&form);
        QCOMPARE(form.mousePointer(), PointerKind::Busy);
        QCOMPARE(form.cursor().shape(), Qt::WaitCursor);
    }

    void theShippedHandPointer()
    {
        Window window({.prepareProgramFolder = [](const QString& folder) {
            QVERIFY(
                QFile::copy(QStringLiteral(HAND_POINTER), folder + QStringLiteral("/HAND-M.CUR")));
        }});
        QVERIFY(window.messages().isEmpty());
        sendMove(window.control<QWidget>("PushButton1"));
        QCOMPARE(window.form->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window.form->cursor().hotSpot(), QPoint(11, 1));
    }
};

QTEST_MAIN(TestAppearance)
#include "TestAppearance.moc"
