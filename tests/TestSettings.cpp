#include "core/Failure.h"
#include "core/Settings.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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
        store.write(SettingKey::Quality, QStringLiteral("42"));
        // Read by a separate reader while the store is still open: nothing waits for its end.
        QSettings reader(file, QSettings::IniFormat);
        QCOMPARE(reader.value(QStringLiteral("Orvalin/Slider1")).toString(), QStringLiteral("42"));
        store.write(SettingKey::Quality, QStringLiteral("43"));
        reader.sync();
        QCOMPARE(reader.value(QStringLiteral("Orvalin/Slider1")).toString(), QStringLiteral("43"));
    }

    void theSectionIsTheProductsName()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("store.conf"));
        SettingsStore(file).write(SettingKey::SaveToFolder, QStringLiteral("False"));
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
        QCOMPARE(store.read(SettingKey::SaveToFolder, QStringLiteral("1")), QStringLiteral("1"));
        store.write(SettingKey::SaveToFolder, QStringLiteral("True"));
        QCOMPARE(SettingsStore(file).read(SettingKey::SaveToFolder, QString()),
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

        QCOMPARE(store.read(SettingKey::Quality, QStringLiteral("100")), QStringLiteral("100"));
        store.write(SettingKey::Quality, QStringLiteral("50"));
        store.write(SettingKey::Quality, QStringLiteral("60"));
        store.write(SettingKey::OutputFolder, QStringLiteral("/x/"));
        QCOMPARE(told, QStringList{file});
        QCOMPARE(store.read(SettingKey::Quality, QString()), QStringLiteral("60"));
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
};

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
