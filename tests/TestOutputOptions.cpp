#include "core/Failure.h"
#include "core/FailureReport.h"
#include "core/Settings.h"
#include "options/OutputOptions.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvalin;
using orvalin::testing::nativePath;
using orvalin::testing::Window;
using orvalin::testing::writeFile;

namespace {

// The store's texts as another reader sees them on disk.
QString stored(const QString& file, const QString& key)
{
    QSettings reader(file, QSettings::IniFormat);
    const QString path = QStringLiteral("Orvalin/") + key;
    return reader.contains(path) ? reader.value(path).toString() : QStringLiteral("<absent>");
}

void writeStore(const QString& file, const QByteArray& section)
{
    writeFile(file, "[Orvalin]\n" + section);
}

struct Shown
{
    QString text;
    bool option1;
    bool option2;
    bool frame3Enabled;
    int quality;
    QString caption;
};

Shown shown(Window& window)
{
    return {window.control<QLineEdit>("Text1")->text(),
            window.control<QRadioButton>("Option1")->isChecked(),
            window.control<QRadioButton>("Option2")->isChecked(),
            window.control<QGroupBox>("Frame3")->isEnabled(),
            window.control<QSlider>("Slider1")->value(),
            window.control<QGroupBox>("Frame1")->title()};
}

} // namespace

class TestOutputOptions : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("Kestrune.conf"));
    }
    void cleanup() { QFile::remove(m_file); }

    void firstStartShowsTheDefaultsAndStoresTheFolder()
    {
        Window window({.settingsFile = m_file});
        const Shown state = shown(window);
        QCOMPARE(state.text, QStringLiteral("/home/someone/Desktop/"));
        QVERIFY(state.option1);
        QVERIFY(!state.option2);
        QVERIFY(state.frame3Enabled);
        QCOMPARE(state.quality, 100);
        QCOMPARE(state.caption, QStringLiteral("Output JPG image quality: 100%"));
        QVERIFY(window.messages().isEmpty());
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), QStringLiteral("/home/someone/Desktop/"));
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("100"));
    }

    void aSecondStartShowsWhatTheFirstStored()
    {
        {
            Window first({.settingsFile = m_file});
            first.control<QSlider>("Slider1")->setValue(42);
            first.click("Option2");
            first.control<QLineEdit>("Text1")->setText(QStringLiteral("/out/ü \"x\"/"));
            first.seams.fileDialogs.folderAnswers << nativePath("/picked");
            first.click("Option1");
            first.click("PushButton9");
            first.click("Option2");
        }
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), nativePath("/picked/"));
        QCOMPARE(stored(m_file, QStringLiteral("Option1")), QStringLiteral("False"));
        QCOMPARE(stored(m_file, QStringLiteral("Option2")), QStringLiteral("True"));
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("42"));
        QCOMPARE(stored(m_file, QStringLiteral("LastFolderDot")), nativePath("/picked"));

        Window second({.settingsFile = m_file});
        const Shown state = shown(second);
        QCOMPARE(state.text, nativePath("/picked/"));
        QVERIFY(!state.option1);
        QVERIFY(state.option2);
        QVERIFY(!state.frame3Enabled);
        QCOMPARE(state.quality, 42);
        QCOMPARE(state.caption, QStringLiteral("Output JPG image quality: 42%"));
        QVERIFY(second.messages().isEmpty());
    }

    void optionClicksStoreBothAndEnableTheFolderBox()
    {
        Window window({.settingsFile = m_file});
        window.click("Option2");
        QCOMPARE(stored(m_file, QStringLiteral("Option1")), QStringLiteral("False"));
        QCOMPARE(stored(m_file, QStringLiteral("Option2")), QStringLiteral("True"));
        QVERIFY(!window.control<QLineEdit>("Text1")->isEnabled());
        QVERIFY(!window.control<QWidget>("PushButton9")->isEnabled());
        window.click("Option1");
        QCOMPARE(stored(m_file, QStringLiteral("Option1")), QStringLiteral("True"));
        QCOMPARE(stored(m_file, QStringLiteral("Option2")), QStringLiteral("False"));
        QVERIFY(window.control<QLineEdit>("Text1")->isEnabled());
        QVERIFY(window.control<QWidget>("PushButton9")->isEnabled());
    }

    void digitsRestoreLikeWordsUntilTheNextClick()
    {
        writeStore(m_file, "Option1=1\nOption2=0\n");
        Window window({.settingsFile = m_file});
        QVERIFY(shown(window).option1);
        QVERIFY(!shown(window).option2);
        QCOMPARE(stored(m_file, QStringLiteral("Option1")), QStringLiteral("1"));
        window.click("Option1"); // already on: still stores the words
        QCOMPARE(stored(m_file, QStringLiteral("Option1")), QStringLiteral("True"));
        QCOMPARE(stored(m_file, QStringLiteral("Option2")), QStringLiteral("False"));
    }

    void storedOptionCombinations_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<bool>("option1");
        QTest::addColumn<bool>("option2");
        QTest::newRow("both True") << QByteArray("Option1=True\nOption2=True\n") << false << true;
        QTest::newRow("both False")
            << QByteArray("Option1=False\nOption2=False\n") << false << false;
        QTest::newRow("second only")
            << QByteArray("Option1=False\nOption2=True\n") << false << true;
        QTest::newRow("numbers") << QByteArray("Option1=0\nOption2=-1\n") << false << true;
    }
    void storedOptionCombinations()
    {
        QFETCH(QByteArray, section);
        QFETCH(bool, option1);
        QFETCH(bool, option2);
        writeStore(m_file, section);
        Window window({.settingsFile = m_file});
        QCOMPARE(shown(window).option1, option1);
        QCOMPARE(shown(window).option2, option2);
        QCOMPARE(shown(window).frame3Enabled, option1);
        QVERIFY(window.messages().isEmpty());
    }

    void neitherOptionOnUntilTheUserClicksOne()
    {
        writeStore(m_file, "Option1=False\nOption2=False\n");
        Window window({.settingsFile = m_file});
        window.click("Option2");
        QVERIFY(shown(window).option2);
        QVERIFY(!shown(window).option1);
        QCOMPARE(stored(m_file, QStringLiteral("Option2")), QStringLiteral("True"));
    }

    void unreadableQualityIsReportedAtLine148()
    {
        writeStore(m_file, "Slider1=abc\nText1=/kept/\n");
        Window window({.settingsFile = m_file});
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(
            window.messages().first().text,
            failureReportText(QStringLiteral("Type mismatch"), GuardedProcedure::FormLoad, 148));
        const Shown state = shown(window);
        QCOMPARE(state.quality, 85);
        QCOMPARE(state.caption, QStringLiteral("Output JPG image quality: 85%"));
        QCOMPARE(state.text, QStringLiteral("/kept/"));
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("abc"));
        window.control<QSlider>("Slider1")->setValue(86);
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("86"));
    }

    void unreadableOptionKeepsItsDesignStateAndLaterStepsRun()
    {
        writeStore(m_file, "Option1=maybe\nOption2=perhaps\nSlider1=60\n");
        Window window({.settingsFile = m_file});
        QCOMPARE(window.messages().size(), 2);
        QVERIFY(window.messages()[0].text.contains(QStringLiteral("Form_Load at line 138\r\r")));
        QVERIFY(window.messages()[1].text.contains(QStringLiteral("Form_Load at line 140\r\r")));
        QVERIFY(shown(window).option1);
        QVERIFY(!shown(window).option2);
        QVERIFY(shown(window).frame3Enabled);
        QCOMPARE(shown(window).quality, 60);
    }

    void qualityOutsideTheRangeIsBroughtToItsNearestEnd_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("quality");
        QTest::newRow("above") << QByteArray("250") << 100;
        QTest::newRow("zero") << QByteArray("0") << 1;
        QTest::newRow("negative") << QByteArray("-7") << 1;
        QTest::newRow("fraction") << QByteArray("50.5") << 50;
    }
    void qualityOutsideTheRangeIsBroughtToItsNearestEnd()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, quality);
        writeStore(m_file, "Slider1=" + text + "\n");
        Window window({.settingsFile = m_file});
        QCOMPARE(shown(window).quality, quality);
        QCOMPARE(shown(window).caption, QualityCaption(quality));
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QString::number(quality));
        QVERIFY(window.messages().isEmpty());
    }

    void storedEmptyFolderStaysEmpty()
    {
        writeStore(m_file, "Text1=\n");
        Window window({.settingsFile = m_file});
        QCOMPARE(shown(window).text, QString());
    }

    void undeterminedDesktopFolderLeavesTheBoxEmpty()
    {
        writeStore(m_file, "Text1=/stored/\n");
        Window window({.settingsFile = m_file, .desktopFolder = []() -> QString {
                           throw Failure(FailureText::InvalidArgument());
                       }});
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(
            window.messages().first().text,
            failureReportText(FailureText::InvalidArgument(), GuardedProcedure::FormLoad, 136));
        QCOMPARE(shown(window).text, QString());
        QCOMPARE(shown(window).quality, 100);
    }

    void everyChangeIsStoredAtOnce()
    {
        Window window({.settingsFile = m_file});
        auto* text = window.control<QLineEdit>("Text1");
        text->clear();
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), QString());
        QTest::keyClicks(text, QStringLiteral("/o"));
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), QStringLiteral("/o"));
        QTest::keyClick(text, Qt::Key_Backspace);
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), QStringLiteral("/"));

        auto* slider = window.control<QSlider>("Slider1");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_PageDown);
        QCOMPARE(slider->value(), 95);
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("95"));
        QCOMPARE(shown(window).caption, QStringLiteral("Output JPG image quality: 95%"));
        QCOMPARE(stored(m_file, QStringLiteral("LastFolderDot")), QStringLiteral("<absent>"));
    }

    // The window's controls outlive its options while it is torn down: a change then reaches
    // nothing.
    void changesAfterTheOptionsAreGoneReachNothing()
    {
        QGroupBox frame1, frame3;
        QSlider slider;
        QRadioButton option1, option2;
        QLineEdit text;
        SettingsStore settings(m_file);
        auto options = std::make_unique<OutputOptions>(
            OutputOptionControls{frame1, slider, option1, option2, frame3, text}, settings,
            [] { return QString(); });
        options->connectReactions();
        slider.setValue(10);
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("10"));
        options.reset();
        slider.setValue(42);
        text.setText(QStringLiteral("/out/"));
        option2.click();
        QCOMPARE(stored(m_file, QStringLiteral("Slider1")), QStringLiteral("10"));
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), QStringLiteral("<absent>"));
        QCOMPARE(stored(m_file, QStringLiteral("Option2")), QStringLiteral("<absent>"));
    }

    void browsingForTheOutputFolder()
    {
        Window window({.settingsFile = m_file});
        auto& dialogs = window.seams.fileDialogs;

        window.click("PushButton9"); // cancelled
        QCOMPARE(dialogs.folderRequests.size(), 1);
        QCOMPARE(dialogs.folderRequests[0].title, QStringLiteral("Please select folder:"));
        QCOMPARE(dialogs.folderRequests[0].initialFolder, QString());
        QCOMPARE(dialogs.owners.last(), window.form.get());
        QCOMPARE(shown(window).text, QStringLiteral("/home/someone/Desktop/"));
        QCOMPARE(stored(m_file, QStringLiteral("LastFolderDot")), QStringLiteral("<absent>"));

        dialogs.folderAnswers << nativePath("/data/Out") << nativePath("/");
        window.click("PushButton9");
        QCOMPARE(shown(window).text, nativePath("/data/Out/"));
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), nativePath("/data/Out/"));
        QCOMPARE(stored(m_file, QStringLiteral("LastFolderDot")), nativePath("/data/Out"));

        window.click("PushButton9");
        QCOMPARE(dialogs.folderRequests[2].initialFolder, nativePath("/data/Out"));
        QCOMPARE(shown(window).text, nativePath("/"));
        QCOMPARE(stored(m_file, QStringLiteral("LastFolderDot")), nativePath("/"));

        window.control<QLineEdit>("Text1")->setText(QStringLiteral("/typed/"));
        QCOMPARE(stored(m_file, QStringLiteral("LastFolderDot")), nativePath("/"));
        QVERIFY(window.messages().isEmpty());
    }

    void anUnwritableStoreLeavesTheWindowUsable()
    {
        writeFile(m_dir.filePath(QStringLiteral("blocked")), "x");
        Window window({.settingsFile = m_dir.filePath(QStringLiteral("blocked/Kestrune.conf"))});
        window.control<QSlider>("Slider1")->setValue(30);
        window.click("Option2");
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 SettingsNotSavedMessage(m_dir.filePath(QStringLiteral("blocked/Kestrune.conf"))));
        QCOMPARE(window.messages().first().icon, MessageIcon::Warning);
        QCOMPARE(shown(window).caption, QStringLiteral("Output JPG image quality: 30%"));
        QVERIFY(!shown(window).frame3Enabled);
        QFile::remove(m_dir.filePath(QStringLiteral("blocked")));
    }

    void aDamagedStoreStartsWithTheDefaults()
    {
        writeFile(m_file, QByteArray("\xff\xfe\x00[Orv\x01=\n=\n[[", 12));
        Window window({.settingsFile = m_file});
        QVERIFY(window.messages().isEmpty());
        QCOMPARE(shown(window).quality, 100);
        QVERIFY(shown(window).option1);
        QCOMPARE(stored(m_file, QStringLiteral("Text1")), QStringLiteral("/home/someone/Desktop/"));
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
};

QTEST_MAIN(TestOutputOptions)
#include "TestOutputOptions.moc"
