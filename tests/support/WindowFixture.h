#pragma once

#include "app/Form1.h"
#include "core/ConversionRun.h"
#include "core/Settings.h"
#include "filelist/FileListView.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/TestFiles.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace orvalin::testing {

struct WindowSetup
{
    // Empty: a store of this start's own.
    QString settingsFile;
    std::function<void(const QString& programFolder)> prepareProgramFolder;
    std::function<QString()> desktopFolder = [] {
        return QStringLiteral("/home/someone/Desktop/");
    };
    bool load = true;
};

// One start of the program: the real main window over recording seams, a program folder of
// its own, and a settings store in a file that later starts may share.
class Window
{
public:
    explicit Window(WindowSetup setup = {})
    {
        if (setup.prepareProgramFolder)
            setup.prepareProgramFolder(programFolder.path());
        if (setup.settingsFile.isEmpty())
            setup.settingsFile = programFolder.filePath(QStringLiteral("settings.conf"));
        settings = std::make_unique<SettingsStore>(setup.settingsFile);
        form = std::make_unique<Form1>(Form1Services{
            seams.platform(), *settings, nativePath(programFolder.path()), setup.desktopFolder});
        if (setup.load)
            form->Form_Load();
    }

    template <typename Control>
    Control* control(const char* name)
    {
        auto* found = form->findChild<Control*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void click(const char* name) { QTest::mouseClick(control<QWidget>(name), Qt::LeftButton); }

    // Clicks "Start Converting" and lets the window's event loop run until the run has ended.
    void convert()
    {
        QSignalSpy ended(&form->conversionRun(), &ConversionRun::ended);
        click("PushButton2");
        waitForRunEnd(ended);
    }

    static void waitForRunEnd(QSignalSpy& ended)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), RunTimeout);
    }

    static constexpr int RunTimeout = 100000;

    QStringList rows() const { return form->fileList().rows(); }
    const QList<MessageRequest>& messages() const { return seams.messageBoxes.shown; }

    RecordingPlatform seams;
    QTemporaryDir programFolder;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<Form1> form;
};

} // namespace orvalin::testing
