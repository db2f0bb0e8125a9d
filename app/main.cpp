#include "app/ConvertHere.h"
#include "app/Form1.h"
#include "app/QtPlatform.h"
#include "app/QtTaskbar.h"
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

// The program's window over the platform's seams and the user's settings, loaded, and shown
// unless the start has yet to learn whether it keeps it.
struct Program
{
    explicit Program(bool show = true)
        : settings(orvalin::SettingsStore::forCurrentUser()),
          window({{messageBoxes, fileDialogs, shell, inputDialogs, taskbar},
                  *settings,
                  orvalin::ProgramFolder(),
                  orvalin::GetDesktopFolder})
    {
        // What runs of a program that was killed left in the temporary folder goes now, not
        // only at the next "Start Converting".
        orvalin::RemoveAbandonedWorkFolders(orvalin::TemporaryFolder());
        window.Form_Load();
        if (show)
            window.show();
    }

    orvalin::QtMessageBoxes messageBoxes;
    orvalin::QtFileDialogs fileDialogs;
    orvalin::QtShell shell;
    orvalin::QtInputDialogs inputDialogs;
    orvalin::QtTaskbar taskbar;
    const std::unique_ptr<orvalin::SettingsStore> settings;
    orvalin::Form1 window;
};

// --convert-here: the paths go to a window gathering such starts, or this start opens one. It
// never hands them to a window open with a list of its own, and no other start hands it any.
int convertHere(const QStringList& paths)
{
    orvalin::SingleInstance gathering(orvalin::SingleInstance::DefaultName()
                                      + QStringLiteral("-convert-here"));
    if (gathering.handOver(paths))
        return 0;
    // The window shows only once this start gathers: one that hands its paths over after all
    // never flashes a window of its own.
    Program program(false);
    orvalin::ConvertHere here(program.window);
    if (!gathering.listen([&here](const QStringList& handed) { here.gather(handed); })
        && gathering.handOver(paths))
        return 0; // another start began gathering first
    program.window.show();
    here.setGatheringEnded([&gathering] { gathering.stopListening(); });
    here.gather(paths);
    return orvalin::ExitStatusAfterSignals(QApplication::exec());
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

    if (request.convertHere)
        return convertHere(request.paths);

    orvalin::SingleInstance instance;
    if (instance.handOver(request.paths))
        return 0; // the window already open has taken them
    Program program;
    if (!instance.listen(
            [&program](const QStringList& paths) { program.window.takeHandedPaths(paths); })
        && instance.handOver(request.paths))
        return 0; // another start got its window up first
    if (!request.paths.isEmpty())
        QTimer::singleShot(0, &program.window,
                           [&program, &request] { program.window.takeHandedPaths(request.paths); });
    return orvalin::ExitStatusAfterSignals(application.exec());
}
