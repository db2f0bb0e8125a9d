// The translations as a user meets them: every text translated, with its placeholders and line
// breaks; every menu item with one mnemonic of its own; every text of the fixed window fitting
// its control at 96 dots per inch with the window's fonts; and a picture of the window in
// German and in Japanese to look at.
#include "app/LanguageMenu.h"
#include "app/Translations.h"
#include "core/Settings.h"
#include "options/OutputOptions.h"
#include "tests/support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace orvalin;
using orvalin::testing::Window;

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete", or empty when done
};

// The messages of a Linguist file; a line break stored as a byte keeps its character.
QList<Message> readMessages(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file));
    QList<Message> messages;
    QXmlStreamReader xml(&in);
    QString context;
    Message message;
    QString* text = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name"))
                context = xml.readElementText();
            else if (name == QLatin1String("message"))
                message = {context, {}, {}, {}};
            else if (name == QLatin1String("source"))
                text = &message.source;
            else if (name == QLatin1String("translation")) {
                text = &message.translation;
                message.type = xml.attributes().value(QLatin1String("type")).toString();
            } else if (name == QLatin1String("byte") && text)
                text->append(
                    QChar(xml.attributes().value(QLatin1String("value")).toUInt(nullptr, 16)));
        } else if (xml.isCharacters() && text) {
            text->append(xml.text());
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("message"))
                messages.append(message);
            if (xml.name() == QLatin1String("source") || xml.name() == QLatin1String("translation"))
                text = nullptr;
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(file), qPrintable(xml.errorString()));
    return messages;
}

QStringList translationFiles()
{
    const QDir folder(QStringLiteral(TRANSLATIONS_DIR));
    QStringList files;
    for (const QString& name : folder.entryList({QStringLiteral("orvalin_*.ts")}, QDir::Files))
        files << folder.filePath(name);
    return files;
}

// The placeholders of a text, sorted: "%1", "%2".
QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// The mnemonic characters of a text: each "&" before a character, "&&" being a plain "&".
QString mnemonics(const QString& text)
{
    QString found;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            found += text[i + 1].toLower();
        ++i;
    }
    return found;
}

// A window whose load step used the language of that code.
std::unique_ptr<Window> windowIn(const QString& code)
{
    auto window = std::make_unique<Window>(testing::WindowSetup{.load = false});
    window->settings->setValue(Stored::Language, code);
    window->form->Form_Load();
    QCoreApplication::processEvents(); // the language change reaches every window
    return window;
}

void addLanguageRows()
{
    QTest::addColumn<QString>("code");
    for (const Language& language : Languages)
        QTest::newRow(language.code) << QString::fromLatin1(language.code);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyLanguageHasItsFile()
    {
        QStringList expected;
        for (const Language& language : Languages)
            if (QLatin1String(language.code) != QLatin1String("en"))
                expected << QDir(QStringLiteral(TRANSLATIONS_DIR))
                                .filePath(QStringLiteral("orvalin_%1.ts").arg(language.code));
        expected.sort();
        QCOMPARE(translationFiles(), expected);
    }

    // What lupdate finds in the sources now is exactly what each file holds: no text of the
    // program is missing from a translation, and none is left over.
    void theFilesHoldTheProgramsTextsNow()
    {
        QTemporaryDir scratch;
        const QString fresh = scratch.filePath(QStringLiteral("fresh.ts"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(SOURCE_DIR));
        lupdate.start(QStringLiteral(LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"),
                       QStringLiteral("none"), QStringLiteral("app"), QStringLiteral("core"),
                       QStringLiteral("filelist"), QStringLiteral("options"), QStringLiteral("-ts"),
                       fresh});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        QSet<QString> texts;
        for (const Message& message : readMessages(fresh))
            texts.insert(message.context + QLatin1Char('|') + message.source);
        QVERIFY(texts.size() > 50);
        for (const QString& file : translationFiles()) {
            QSet<QString> held;
            for (const Message& message : readMessages(file))
                held.insert(message.context + QLatin1Char('|') + message.source);
            const QSet<QString> missing = texts - held;
            const QSet<QString> leftOver = held - texts;
            QVERIFY2(missing.isEmpty() && leftOver.isEmpty(),
                     qPrintable(QStringLiteral("%1: missing %2; left over %3 (run "
                                               "scripts/update-translations)")
                                    .arg(file, QStringList(missing.values()).join(u';'),
                                         QStringList(leftOver.values()).join(u';'))));
        }
    }

    void everyMessageIsTranslatedWhole_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& file : translationFiles())
            QTest::newRow(qPrintable(QFileInfo(file).baseName())) << file;
    }
    // Finished, with every placeholder, as many line breaks, and a mnemonic exactly where the
    // English has one.
    void everyMessageIsTranslatedWhole()
    {
        QFETCH(QString, file);
        for (const Message& message : readMessages(file)) {
            const QString where = message.context + QStringLiteral(": ") + message.source;
            QVERIFY2(
                message.type.isEmpty() && !message.translation.isEmpty(),
                qPrintable(where + QStringLiteral(" is ")
                           + (message.type.isEmpty() ? QStringLiteral("empty") : message.type)));
            QVERIFY2(
                placeholders(message.translation) == placeholders(message.source),
                qPrintable(where + QStringLiteral(": placeholders of ") + message.translation));
            QVERIFY2(message.translation.count(u'\r') == message.source.count(u'\r'),
                     qPrintable(where + QStringLiteral(": line breaks of ") + message.translation));
            QVERIFY2(mnemonics(message.translation).size() == mnemonics(message.source).size(),
                     qPrintable(where + QStringLiteral(": mnemonics of ") + message.translation));
        }
    }

    void menusHaveOneMnemonicEach_data() { addLanguageRows(); }
    // Every item of every menu, the menu bar's titles too, has one mnemonic, and no two items
    // of a menu share one.
    void menusHaveOneMnemonicEach()
    {
        QFETCH(QString, code);
        const auto window = windowIn(code);
        QList<QWidget*> menus{window->form->findChild<QMenuBar*>()};
        for (QMenu* menu : window->form->findChildren<QMenu*>())
            menus << menu;
        for (QWidget* menu : menus) {
            QSet<QString> taken;
            for (const QAction* item : menu->actions()) {
                if (item->isSeparator())
                    continue;
                const QString marks = mnemonics(item->text());
                QVERIFY2(marks.size() == 1, qPrintable(item->text() + QStringLiteral(": ")
                                                       + QString::number(marks.size())
                                                       + QStringLiteral(" mnemonics")));
                QVERIFY2(
                    !taken.contains(marks),
                    qPrintable(item->text() + QStringLiteral(": its mnemonic is another item's")));
                taken.insert(marks);
            }
        }
    }

    void textsFitTheirControls_data() { addLanguageRows(); }
    // Measured with each control's own font: a button's text within the button less a border,
    // an option button's whole size hint within the option, a frame's caption (the quality at
    // its longest) within the frame, and the bar's text within the bar.
    void textsFitTheirControls()
    {
        QFETCH(QString, code);
        const auto window = windowIn(code);
        if (code != QLatin1String("en"))
            QVERIFY2(window->control<QPushButton>("PushButton2")->text()
                         != QLatin1String("Start Converting"),
                     "the translation was not used");
        const auto fits = [](QWidget* control, const QString& text, int room) {
            const int width = control->fontMetrics().horizontalAdvance(text);
            QVERIFY2(width <= room, qPrintable(QStringLiteral("\"%1\" is %2 px wide; %3 has %4 px")
                                                   .arg(text)
                                                   .arg(width)
                                                   .arg(control->objectName())
                                                   .arg(room)));
        };
        for (const char* name :
             {"PushButton1", "PushButton2", "PushButton4", "PushButton6", "PushButton7"}) {
            auto* button = window->control<QPushButton>(name);
            fits(button, button->text(), button->width() - 8);
        }
        for (const char* name : {"Option1", "Option2"}) {
            auto* option = window->control<QRadioButton>(name);
            QVERIFY2(option->sizeHint().width() <= option->width(),
                     qPrintable(QStringLiteral("\"%1\" needs %2 px; %3 has %4 px")
                                    .arg(option->text())
                                    .arg(option->sizeHint().width())
                                    .arg(name)
                                    .arg(option->width())));
        }
        auto* quality = window->control<QGroupBox>("Frame1");
        fits(quality, QualityCaption(100), quality->width() - 16);
        auto* save = window->control<QGroupBox>("Frame5");
        fits(save, save->title(), save->width() - 16);
        auto* menuBar = window->form->findChild<QMenuBar*>();
        for (QAction* menu : menuBar->actions())
            QVERIFY2(
                menuBar->rect().contains(menuBar->actionGeometry(menu))
                    && !menuBar->actionGeometry(menu).isEmpty(),
                qPrintable(menu->text() + QStringLiteral(" is folded away from the menu bar")));
        QCOMPARE(window->control<QWidget>("ListView1")->y(), menuBar->height() + 8);
        auto* bar = window->control<QWidget>("ProgressBar1");
        fits(bar, ProgressBarIdleText(), bar->width() - 8);
        fits(bar, DoneMessage(), bar->width() - 8);
    }

    // A language chosen in the menu takes effect at once and is stored; the system's is stored
    // as no language at all.
    void theLanguageMenuSwitchesAtOnce()
    {
        const auto window = windowIn(QString());
        const auto choose = [&](const QString& shownName) {
            for (QAction* item : window->form->findChildren<QAction*>())
                if (item->text().remove(u'&') == shownName)
                    return item->trigger();
            QFAIL(qPrintable(shownName));
        };
        auto* start = window->control<QPushButton>("PushButton2");
        choose(QStringLiteral("Deutsch"));
        QTRY_COMPARE(start->text(), QStringLiteral("Konvertierung starten"));
        QCOMPARE(window->settings->value(Stored::Language), QStringLiteral("de"));
        choose(SystemLanguageText().remove(u'&')); // in German now
        QTRY_COMPARE(start->text(), QStringLiteral("Start Converting"));
        QCOMPARE(window->settings->value(Stored::Language), QString());
    }

    // The message boxes' buttons and the file dialog speak the language chosen too, from Qt's
    // own translations.
    void qtsOwnTextsFollow()
    {
        for (const QString& code : {QStringLiteral("de"), QStringLiteral("ja")}) {
            const auto window = windowIn(code);
            QVERIFY2(QCoreApplication::translate("QPlatformTheme", "Cancel")
                         != QLatin1String("Cancel"),
                     qPrintable(code));
        }
        const auto english = windowIn(QStringLiteral("en"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    // Pictures to look at: the window in German and in Japanese, in build/screenshots.
    void picturesOfTheWindow()
    {
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        for (const QString& code : {QStringLiteral("de"), QStringLiteral("ja")}) {
            const auto window = windowIn(code);
            const QString file = QStringLiteral(SCREENSHOT_DIR "/window-%1.png").arg(code);
            QVERIFY(window->form->grab().save(file));
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
