#include "app/Form1.h"
#include "app/QtPlatform.h"
#include "app/TerminationSignals.h"
#include "core/Settings.h"
#include "core/Startup.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    orvalin::CloseWindowsOnTerminationSignals();

    orvalin::QtMessageBoxes messageBoxes;
    orvalin::QtFileDialogs fileDialogs;
    orvalin::QtShell shell;
    const std::unique_ptr<orvalin::SettingsStore> settings = orvalin::SettingsStore::forCurrentUser();
    orvalin::Form1 window({{messageBoxes, fileDialogs, shell},
                           *settings,
                           orvalin::ProgramFolder(),
                           orvalin::GetDesktopFolder});
    window.Form_Load();
    window.show();
    return application.exec();
}
