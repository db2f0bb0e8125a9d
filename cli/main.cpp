// orvalin-convert: the window's conversion engine from a console, for scripts and servers.
#include "cli/Console.h"
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
        orvalin::WriteText(stdout, orvalin::ConvertUsageText());
        return 0;
    case ConvertCommand::Action::Version:
        std::printf("orvalin-convert %s\n", ORVALIN_VERSION);
        return 0;
    case ConvertCommand::Action::Refuse:
        orvalin::WriteText(stderr, QStringLiteral("orvalin-convert: %1\n").arg(command.refusal));
        return orvalin::UsageError;
    case ConvertCommand::Action::Convert: break;
    }
    // Qt is given the program's name alone, so no path is taken for one of its options.
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    return orvalin::RunConvertCommand(command);
}
