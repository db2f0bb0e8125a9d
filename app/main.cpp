#include "app/Form1.h"
#include "app/QtPlatform.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "core/CommandLine.h"
#include "core/Settings.h"
#include "core/Signals.h"
#include "core/Startup.h"
#include "core/WorkFolder.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The arguments after the program's name. A windowed program has no console of its own on
// Windows: --help and --version write to the one it was started from, if any.
QList<QByteArray> argumentsAfterTheName(int argc, char* argv[])
{
#ifdef Q_OS_WIN
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    return orvalin::ProgramArguments(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    using orvalin::StartRequest;
    // Read before the application exists, so --help works without a display, and Qt is given
    // the program's name alone, so no path is taken for one of its options.
    const StartRequest request =
        orvalin::ReadCommandLine(argumentsAfterTheName(argc, argv), orvalin::CurrentFolderBytes());
    switch (request.action) {
    case StartRequest::Action::Help: std::fputs(qPrintable(orvalin::UsageText), stdout); return 0;
    case StartRequest::Action::Version: std::printf("orvalin %s\n", ORVALIN_VERSION); return 0;
    case StartRequest::Action::Refuse:
        std::fprintf(stderr, "orvalin: %s\n", qPrintable(request.reason));
        return 2;
    case StartRequest::Action::Start: break;
    }

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    orvalin::CloseWindowsOnTerminationSignals();

    orvalin::SingleInstance instance;
    if (instance.handOver(request.paths))
        return 0; // the window already open has taken them
    // What runs of a program that was killed left in the temporary folder goes now, not only
    // at the next "Start Converting".
    orvalin::RemoveAbandonedWorkFolders(orvalin::TemporaryFolder());

    orvalin::QtMessageBoxes messageBoxes;
    orvalin::QtFileDialogs fileDialogs;
    orvalin::QtShell shell;
    orvalin::QtInputDialogs inputDialogs;
    const std::unique_ptr<orvalin::SettingsStore> settings =
        orvalin::SettingsStore::forCurrentUser();
    orvalin::Form1 window({{messageBoxes, fileDialogs, shell, inputDialogs},
                           *settings,
                           orvalin::ProgramFolder(),
                           orvalin::GetDesktopFolder});
    window.Form_Load();
    window.show();
    if (!instance.listen([&window](const QStringList& paths) { window.takeHandedPaths(paths); })
        && instance.handOver(request.paths))
        return 0; // another start got its window up first
    if (!request.paths.isEmpty())
        QTimer::singleShot(0, &window,
                           [&window, &request] { window.takeHandedPaths(request.paths); });
    return orvalin::ExitStatusAfterSignals(application.exec());
}
