#include "Form1.h"
#include "QtPlatform.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);

    orvalin::QtMessageBoxes messageBoxes;
    orvalin::QtFileDialogs fileDialogs;
    orvalin::QtShell shell;
    orvalin::Form1 window({messageBoxes, fileDialogs, shell}, orvalin::ProgramFolder());
    window.Form_Load();
    window.show();
    return application.exec();
}
