// orvalin-convert: the window's conversion engine from a console, for scripts and servers.
#include "cli/ConsoleRun.h"
#include "cli/ConvertCommand.h"
#include "core/CommandLine.h"
#include "core/WorkFolder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    using orvalin::ConvertCommand;
    const ConvertCommand command =
        orvalin::ReadConvertCommand(orvalin::ProgramArguments(argc, argv));
    switch (command.action) {
    case ConvertCommand::Action::Help:
        std::fputs(orvalin::ConvertUsageText().toUtf8().constData(), stdout);
        return 0;
    case ConvertCommand::Action::Version:
        std::printf("orvalin-convert %s\n", ORVALIN_VERSION);
        return 0;
    case ConvertCommand::Action::Refuse:
        std::fprintf(stderr, "orvalin-convert: %s\n", command.refusal.toUtf8().constData());
        return orvalin::UsageError;
    case ConvertCommand::Action::Convert: break;
    }
    // Qt is given the program's name alone, so no path is taken for one of its options.
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    return orvalin::RunConvertCommand(command);
}
