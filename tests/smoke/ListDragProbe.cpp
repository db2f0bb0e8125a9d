// The real main window with five rows A to E, for a drag made through a real X server. Prints
// "ROW n X Y" for each row's centre relative to the window, "ORDER ABCDE" whenever the rows
// change, and ends at the first line on standard input.

#include "app/Form1.h"
#include "core/Platform.h"
#include "core/Settings.h"
#include "filelist/FileListView.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

class SilentMessageBoxes : public orvalin::MessageBoxes
{
public:
    orvalin::MessageAnswer show(QWidget*, const orvalin::MessageRequest&) override
    {
        return orvalin::MessageAnswer::Ok;
    }
};

class NoDialogs : public orvalin::FileDialogs
{
public:
    QStringList openFiles(QWidget*, const orvalin::OpenFilesRequest&) override { return {}; }
    QString pickFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

class NoShell : public orvalin::Shell
{
public:
    bool openFolder(const QString&) override { return false; }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTemporaryDir folder;
    SilentMessageBoxes messageBoxes;
    NoDialogs dialogs;
    NoShell shell;
    orvalin::SettingsStore settings(folder.filePath(QStringLiteral("settings.conf")));
    orvalin::Form1 window({{messageBoxes, dialogs, shell}, settings, folder.path(), [] {
                               return QStringLiteral("/tmp/");
                           }});
    window.Form_Load();
    window.fileList().addRows({"A", "B", "C", "D", "E"});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    orvalin::FileListView& list = window.fileList();
    for (int row = 0; row < list.count(); ++row) {
        const QPoint centre =
            list.viewport()->mapTo(&window, list.visualRect(list.model()->index(row, 0)).center());
        std::printf("ROW %d %d %d\n", row + 1, centre.x(), centre.y());
    }
    std::fflush(stdout);
    QObject::connect(list.model(), &QAbstractItemModel::dataChanged, [&] {
        std::printf("ORDER %s\n", qPrintable(list.rows().join(QString())));
        std::fflush(stdout);
    });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] { application.quit(); });
    return application.exec();
}
