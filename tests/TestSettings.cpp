#include "core/Failure.h"
#include "core/Settings.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <QTest>
#include <memory>

using namespace orvalin;
using orvalin::testing::writeFile;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void valuesComeBackExactlyAsWritten()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("store.conf"));
        const QStringList texts{QString(),
                                QStringLiteral("True"),
                                QStringLiteral("85"),
                                QStringLiteral("/a b/\"q\"/-x/line\nbreak/Привет/"),
                                QStringLiteral("a, b, c"),
                                QStringLiteral("@Variant(x)"),
                                QStringLiteral(" padded ")};
        {
            SettingsStore store(file);
            for (int i = 0; i < texts.size(); ++i)
                store.write(QStringLiteral("Key%1").arg(i), texts[i]);
        }
        // Another store on the same file, as at the next start.
        SettingsStore again(file);
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(again.read(QStringLiteral("Key%1").arg(i), QStringLiteral("default")),
                     texts[i]);
        QCOMPARE(again.read(QStringLiteral("Never written"), QStringLiteral("default")),
                 QStringLiteral("default"));
    }

    void eachWriteIsOnDiskAtOnce()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("store.conf"));
        SettingsStore store(file);
        store.write(Stored::Quality.key, QStringLiteral("42"));
        // Read by a separate reader while the store is still open: nothing waits for its end.
        QSettings reader(file, QSettings::IniFormat);
        QCOMPARE(reader.value(QStringLiteral("Orvalin/Slider1")).toString(), QStringLiteral("42"));
        store.write(Stored::Quality.key, QStringLiteral("43"));
        reader.sync();
        QCOMPARE(reader.value(QStringLiteral("Orvalin/Slider1")).toString(), QStringLiteral("43"));
    }

    void theSectionIsTheProductsName()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("store.conf"));
        SettingsStore(file).write(Stored::SaveToFolder.key, QStringLiteral("False"));
        QFile stored(file);
        QVERIFY(stored.open(QIODevice::ReadOnly | QIODevice::Text));
        const QByteArray text = stored.readAll();
        QVERIFY2(text.contains("[Orvalin]\nOption1=False"), text.constData());
    }

    void damagedStoresStartFromDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x00\xff\xfe garbage [[[ =\n\x01\x02", 14);
        QTest::newRow("truncated") << QByteArray("[Orvalin]\nSlider1=4");
        QTest::newRow("section cut off") << QByteArray("[Orva");
        QTest::newRow("empty") << QByteArray();
    }
    void damagedStoresStartFromDefaults()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("store.conf"));
        writeFile(file, content);
        SettingsStore store(file);
        QCOMPARE(store.read(Stored::SaveToFolder.key, QStringLiteral("1")), QStringLiteral("1"));
        store.write(Stored::SaveToFolder.key, QStringLiteral("True"));
        QCOMPARE(SettingsStore(file).read(Stored::SaveToFolder.key, QString()),
                 QStringLiteral("True"));
    }

    void unreadableOrUnwritableStore_data()
    {
        QTest::addColumn<QString>("blocking");
        QTest::newRow("a file where its folder should be") << "file for folder";
        QTest::newRow("a folder where the file should be") << "folder for file";
    }
    void unreadableOrUnwritableStore()
    {
        // Neither can be read or written by anyone, root included: the program starts from the
        // defaults, keeps values for the run, and tells the first failed write once.
        QFETCH(QString, blocking);
        QTemporaryDir dir;
        QString file;
        if (blocking == QLatin1String("file for folder")) {
            writeFile(dir.filePath(QStringLiteral("not-a-folder")), "[Orvalin]\nSlider1=5\n");
            file = dir.filePath(QStringLiteral("not-a-folder/store.conf"));
        } else {
            file = dir.filePath(QStringLiteral("store.conf"));
            QVERIFY(QDir().mkpath(file + QStringLiteral("/[Orvalin]")));
        }
        SettingsStore store(file);
        QStringList told;
        store.setWriteFailureHandler([&](const QString& location) { told << location; });

        QCOMPARE(store.read(Stored::Quality.key, QStringLiteral("100")), QStringLiteral("100"));
        store.write(Stored::Quality.key, QStringLiteral("50"));
        store.write(Stored::Quality.key, QStringLiteral("60"));
        store.write(Stored::OutputFolder.key, QStringLiteral("/x/"));
        QCOMPARE(told, QStringList{file});
        QCOMPARE(store.read(Stored::Quality.key, QString()), QStringLiteral("60"));
    }

    void switches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("on");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("letter case") << "tRUE" << true;
        QTest::newRow("blanks") << " False " << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("fraction") << "0.5" << true;
        QTest::newRow("zero fraction") << "0.0" << false;
    }
    void switches()
    {
        QFETCH(QString, text);
        QFETCH(bool, on);
        QCOMPARE(SwitchFromText(text), on);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("digits") << "85" << 85;
        QTest::newRow("blanks") << " 7 " << 7;
        QTest::newRow("sign") << "-3" << -3;
        QTest::newRow("fraction rounds") << "84.6" << 85;
        QTest::newRow("half to even down") << "84.5" << 84;
        QTest::newRow("half to even up") << "85.5" << 86;
        QTest::newRow("out of range kept") << "250" << 250;
    }
    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(WholeNumberFromText(text), number);
    }

    void textsThatAreNotValues()
    {
        for (const QString& text :
             {QStringLiteral("abc"), QString(), QStringLiteral("85%"), QStringLiteral("nan"),
              QStringLiteral("inf"), QStringLiteral("Yes")}) {
            QVERIFY_THROWS_EXCEPTION(Failure, SwitchFromText(text));
            QVERIFY_THROWS_EXCEPTION(Failure, WholeNumberFromText(text));
        }
        try {
            WholeNumberFromText(QStringLiteral("abc"));
        } catch (const Failure& failure) {
            QCOMPARE(failure.description(), QStringLiteral("Type mismatch"));
        }
        QVERIFY_THROWS_EXCEPTION(Failure, WholeNumberFromText(QStringLiteral("1e12")));
    }

    // The Options menu's choices come back as stored; a text that holds none of them counts as
    // the default, with no message, and so does a missing key.
    void outputChoicesAsStored_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<OutputChoices>("expected");
        const auto row = [](const char* name, const QString& key, const char* text,
                            OutputChoices expected) {
            QTest::newRow(name) << key << QString::fromLatin1(text) << expected;
        };
        row("keep both", Stored::IfExistsChoice.key, "KeepBoth", {.ifExists = IfExists::KeepBoth});
        row("skip, any case", Stored::IfExistsChoice.key, " skip", {.ifExists = IfExists::Skip});
        row("an unknown word", Stored::IfExistsChoice.key, "Overwrite", {});
        row("sub-folders", Stored::KeepSubfolders.key, "True", {.keepSubfolders = true});
        row("not a switch", Stored::KeepSubfolders.key, "maybe", {});
        row("dates", Stored::KeepDates.key, "True", {.keepDates = true});
        row("no location", Stored::Metadata.key, "NoLocation",
            {.metadata = MetadataKept::NoLocation});
        row("colour and orientation", Stored::Metadata.key, "ColourAndOrientation",
            {.metadata = MetadataKept::ColourAndOrientation});
        row("no such metadata", Stored::Metadata.key, "None", {});
        row("fit 1920", Stored::FitWithin.key, "1920", {.fitWithin = 1920});
        row("fit at its ends", Stored::FitWithin.key, "16", {.fitWithin = 16});
        row("fit at the top", Stored::FitWithin.key, "65535", {.fitWithin = 65535});
        row("fit too small", Stored::FitWithin.key, "15", {});
        row("fit too large", Stored::FitWithin.key, "65536", {});
        row("fit not a number", Stored::FitWithin.key, "1920px", {});
        row("fit negative", Stored::FitWithin.key, "-1920", {});
    }
    void outputChoicesAsStored()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(OutputChoices, expected);
        QTemporaryDir dir;
        SettingsStore store(dir.filePath(QStringLiteral("s.conf")));
        QCOMPARE(StoredOutputChoices(store), OutputChoices{});
        store.write(key, text);
        QCOMPARE(StoredOutputChoices(store), expected);
    }

    void outputChoicesAreStoredAsTheirWords()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.conf"));
        const OutputChoices choices{IfExists::KeepBoth, true, true, MetadataKept::NoLocation, 1920};
        StoreOutputChoices(*std::make_unique<SettingsStore>(file), choices);
        const SettingsStore store(file);
        QCOMPARE(StoredOutputChoices(store), choices);
        QCOMPARE(store.read(Stored::IfExistsChoice.key, {}), QStringLiteral("KeepBoth"));
        QCOMPARE(store.read(Stored::KeepSubfolders.key, {}), QStringLiteral("True"));
        QCOMPARE(store.read(Stored::Metadata.key, {}), QStringLiteral("NoLocation"));
        QCOMPARE(store.read(Stored::FitWithin.key, {}), QStringLiteral("1920"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
