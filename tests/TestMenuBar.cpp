#include "app/AboutBox.h"
#include "app/Form1.h"
#include "app/ThirdPartyLibraries.h"
#include "core/ConversionRun.h"
#include "core/Settings.h"
#include "options/OutputChoicesMenu.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orvalin;
using orvalin::testing::Window;

namespace {

// An item's text as it is shown, without its mnemonic mark.
QString shown(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
}

// The item of that text in the menu bar's menus and their submenus.
QAction* item(Window& window, const QString& text)
{
    for (QAction* action : window.form->findChild<QMenuBar*>()->findChildren<QAction*>())
        if (shown(action->text()) == shown(text))
            return action;
    qFatal("no menu item %s", qPrintable(text));
}

QStringList itemsOf(QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : shown(action->text()));
    return texts;
}

} // namespace

class TestMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void menusItemsAndShortcuts()
    {
        Window window;
        const QList<QAction*> menus = window.form->findChild<QMenuBar*>()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Options"));
        QCOMPARE(menus[2]->text(), QStringLiteral("&Help"));
        QCOMPARE(itemsOf(menus[0]->menu()),
                 (QStringList{"Add WebP File(s)...", "Add All WebP File(s) In Folder...",
                              "Load Sample/Example Files", "Clear List", "-", "Start Converting",
                              "-", "Quit"}));
        QCOMPARE(
            itemsOf(menus[1]->menu()),
            (QStringList{"If a JPG of That Name Exists", "Keep Sub-folders in the Output Folder",
                         "Keep the Original's Dates", "Metadata", "Size", "-", "Language"}));
        QCOMPARE(item(window, "Add WebP File(s)...")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(item(window, "Add All WebP File(s) In Folder...")->shortcut(),
                 QKeySequence("Ctrl+Shift+O"));
        QCOMPARE(item(window, "Start Converting")->shortcut(), QKeySequence("Ctrl+Return"));
        QCOMPARE(item(window, "Quit")->shortcut(), QKeySequence("Ctrl+Q"));
    }

    // Each File item runs its button's reaction, busy-state rules and all.
    void fileItemsRunTheButtonsReactions()
    {
        Window window;
        item(window, "Add WebP File(s)...")->trigger();
        QCOMPARE(window.seams.fileDialogs.openRequests.size(), 1);
        item(window, "Add All WebP File(s) In Folder...")->trigger();
        QCOMPARE(window.seams.fileDialogs.folderRequests.size(), 1);

        window.form->fileList().add(QStringLiteral("/nowhere/a.webp"));
        window.form->setMousePointer(PointerKind::Busy);
        item(window, "Clear List")->trigger(); // refused while busy
        QCOMPARE(window.rows().size(), 1);
        window.form->setMousePointer(PointerKind::Default);
        item(window, "Clear List")->trigger();
        QCOMPARE(window.rows().size(), 0);

        QSignalSpy ended(&window.form->conversionRun(), &ConversionRun::ended);
        item(window, "Start Converting")->trigger();
        QCOMPARE(ended.size(), 1);
        QCOMPARE(window.messages().last().text, QStringLiteral("No files added."));

        window.form->show();
        item(window, "Quit")->trigger();
        QVERIFY(!window.form->isVisible());
    }

    // Every choice is stored the moment it changes and comes back at the next start.
    void choicesAreStoredAndRestored_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<OutputChoices>("expected");
        QTest::newRow("keep both")
            << KeepBothText() << OutputChoices{.ifExists = IfExists::KeepBoth};
        QTest::newRow("skip") << SkipTheFileText() << OutputChoices{.ifExists = IfExists::Skip};
        QTest::newRow("sub-folders")
            << KeepSubfoldersText() << OutputChoices{.keepSubfolders = true};
        QTest::newRow("dates") << KeepDatesText() << OutputChoices{.keepDates = true};
        QTest::newRow("no location")
            << RemoveLocationText() << OutputChoices{.metadata = MetadataKept::NoLocation};
        QTest::newRow("colour") << ColourAndOrientationText()
                                << OutputChoices{.metadata = MetadataKept::ColourAndOrientation};
        QTest::newRow("1920") << FitWithinText(1920) << OutputChoices{.fitWithin = 1920};
        QTest::newRow("800") << FitWithinText(800) << OutputChoices{.fitWithin = 800};
    }
    void choicesAreStoredAndRestored()
    {
        QFETCH(QString, text);
        QFETCH(OutputChoices, expected);
        QTemporaryDir store;
        const QString file = store.filePath(QStringLiteral("s.conf"));
        {
            Window first({.settingsFile = file});
            item(first, text)->trigger();
            QCOMPARE(StoredOutputChoices(SettingsStore(file)), expected);
        }
        Window second({.settingsFile = file});
        QVERIFY(item(second, text)->isChecked());
        QCOMPARE(StoredOutputChoices(*second.settings), expected);
    }

    void keepSubfoldersFollowsTheSaveOption()
    {
        Window window;
        QAction* keepSubfolders = item(window, KeepSubfoldersText());
        QVERIFY(keepSubfolders->isEnabled());
        window.click("Option2");
        QVERIFY(!keepSubfolders->isEnabled());
        window.click("Option1");
        QVERIFY(keepSubfolders->isEnabled());

        QTemporaryDir store;
        const QString file = store.filePath(QStringLiteral("s.conf"));
        SettingsStore(file).setValue(Stored::SaveToFolder, false);
        SettingsStore(file).setValue(Stored::SaveBesideSource, true);
        Window beside({.settingsFile = file});
        QVERIFY(!item(beside, KeepSubfoldersText())->isEnabled());
    }

    // Another size is asked for; one outside 16 to 65535, or no number, is refused with a
    // message and changes nothing. A size not among the presets shows as an item of its own.
    void anotherSize()
    {
        QTemporaryDir store;
        const QString file = store.filePath(QStringLiteral("s.conf"));
        Window window({.settingsFile = file});
        window.seams.inputDialogs.answers = {QStringLiteral("15"), QStringLiteral("1920 px"),
                                             std::nullopt, QStringLiteral(" 1000 ")};
        for (int ask = 0; ask < 3; ++ask)
            item(window, OtherSizeText())->trigger();
        QCOMPARE(window.messages().size(), 2);
        QCOMPARE(window.messages().last().text, OtherSizeRefused());
        QCOMPARE(StoredOutputChoices(*window.settings).fitWithin, 0u);
        QVERIFY(item(window, KeepSizeText())->isChecked());

        item(window, OtherSizeText())->trigger();
        QCOMPARE(StoredOutputChoices(*window.settings).fitWithin, 1000u);
        QVERIFY(item(window, FitWithinText(1000))->isChecked());
        item(window, FitWithinText(1920))->trigger(); // a preset replaces it
        QCOMPARE(StoredOutputChoices(*window.settings).fitWithin, 1920u);

        SettingsStore(file).setValue(Stored::FitWithin, 777u);
        Window again({.settingsFile = file});
        QVERIFY(item(again, FitWithinText(777))->isChecked());
        QCOMPARE(again.seams.inputDialogs.asked.size(), 0);
    }

    void aboutNamesTheVersionAndWhatItIsBuiltOn()
    {
        Window window;
        item(window, AboutItemText())->trigger();
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().title, AboutTitle());
        QVERIFY(window.messages().first().text.startsWith(QStringLiteral("Orvalin ")
                                                          + QStringLiteral(ORVALIN_VERSION)));
        const QString about = window.messages().first().text;
        QVERIFY(about.contains(QStringLiteral("version 3 or later")));
        // Every library of the list the notices are made from, with a version and its licence.
        for (const ThirdPartyLibrary& library : ThirdPartyLibraries) {
#ifndef Q_OS_WIN
            if (QLatin1String(library.where) == QLatin1String("windows"))
                continue;
#endif
            QVERIFY(QByteArray(library.version).contains('.'));
            QVERIFY2(about.contains(QStringLiteral("%1 %2 (%3)")
                                        .arg(library.name, library.version, library.licence)),
                     library.name);
        }
    }
};

QTEST_MAIN(TestMenuBar)
#include "TestMenuBar.moc"
