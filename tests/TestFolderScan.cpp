#include "core/CommandLine.h"
#include "core/FolderScan.h"
#include "core/Settings.h"
#include "core/UncarriedNames.h"
#include "filelist/FileListView.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <filesystem>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

using namespace orvalin;
using orvalin::testing::nativePath;
using orvalin::testing::Window;
using orvalin::testing::writeFile;

namespace {

// Builds a folder tree from paths relative to a root: a path ending in "/" is a folder.
class Tree
{
public:
    Tree() { QVERIFY(m_dir.isValid()); }
    // Names that are not valid UTF-8 are out of QDir's reach: the tree goes by its bytes.
    ~Tree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(QFile::encodeName(root()).toStdString(), ignored);
    }

    QString root() const { return nativePath(m_dir.path()); }
    QString path(const QString& relative) const
    {
        return nativePath(root() + QLatin1Char('/') + relative);
    }

    void add(const QStringList& relatives)
    {
        for (const QString& relative : relatives) {
            if (relative.endsWith(QLatin1Char('/')))
                QVERIFY(QDir().mkpath(path(relative)));
            else {
                QVERIFY(QDir().mkpath(QFileInfo(path(relative)).path()));
                writeFile(path(relative), "RIFF");
            }
        }
    }

    QStringList paths(const QStringList& relatives) const
    {
        QStringList result;
        for (const QString& relative : relatives)
            result << path(relative);
        return result;
    }

private:
    QTemporaryDir m_dir;
};

void sendDrop(FileListView& list, QMimeData* data)
{
    // As a real drag does: it enters the list, then drops.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &drop);
    QCoreApplication::processEvents(); // the drop's work runs once the drop has ended
}

QMimeData* filesData(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

#ifndef Q_OS_WIN
// Makes an empty file by its name's bytes, which need not be valid UTF-8.
bool makeFile(const QByteArray& path)
{
    std::FILE* file = std::fopen(path.constData(), "w");
    return file && std::fclose(file) == 0;
}

QString notCarriedMessage(const QStringList& names)
{
    QStringList lines;
    for (const QString& name : names)
        lines << name + QStringLiteral(" (the name is not valid UTF-8)");
    return QStringLiteral("The following files and folders could not be added:\r\n")
           + lines.join(QStringLiteral("\r\n"));
}
#endif

} // namespace

class TestFolderScan : public QObject
{
    Q_OBJECT

private slots:
    void rowsComeFolderByFolderBreadthFirst()
    {
        Tree tree;
        tree.add({"b.webp", "A.WEBP", "notes.txt", "~draft.webp", ".hidden.webp", "sub2/z.webp",
                  "sub1/x.webp", "sub1/deep/y.webp", "sub1/deep/deeper/w.Webp", ".config/h.webp",
                  "Привет мир/p.webp", "named.webp/inside.webp"});
        Window window;
        window.seams.fileDialogs.folderAnswers << tree.root();
        PointerKind duringScan = PointerKind::Default;
        QTimer::singleShot(0, [&] { duringScan = window.form->mousePointer(); });
        window.click("PushButton4");

        QStringList expected =
            tree.paths({"A.WEBP", "b.webp", "named.webp/inside.webp", "sub1/x.webp", "sub2/z.webp",
                        "Привет мир/p.webp", "sub1/deep/y.webp", "sub1/deep/deeper/w.Webp"});
#ifdef Q_OS_WIN
        // A folder that is hidden but not system is entered there (Wine marks dot-names hidden).
        expected.insert(2, tree.path(".config/h.webp"));
#endif
        QCOMPARE(window.rows(), expected);
        QCOMPARE(duringScan, PointerKind::Busy);
        QCOMPARE(window.form->mousePointer(), PointerKind::Default);
        QCOMPARE(window.seams.fileDialogs.folderRequests.first().title,
                 QStringLiteral("Please select folder:"));
        QCOMPARE(window.settings->read(Stored::LastScannedFolder.key, QString()), tree.root());
        QVERIFY(window.messages().isEmpty());

        // The same folder again: every file again, and the picker starts where it was left.
        window.seams.fileDialogs.folderAnswers << tree.root();
        window.click("PushButton4");
        QCOMPARE(window.rows().size(), 2 * expected.size());
        QCOMPARE(window.seams.fileDialogs.folderRequests.last().initialFolder, tree.root());
    }

    void cancellingChangesNothing()
    {
        Window window;
        window.settings->write(Stored::LastScannedFolder.key, QStringLiteral("/kept"));
        window.click("PushButton4");
        QCOMPARE(window.seams.fileDialogs.folderRequests.first().initialFolder,
                 QStringLiteral("/kept"));
        QCOMPARE(window.settings->read(Stored::LastScannedFolder.key, QString()),
                 QStringLiteral("/kept"));
        QCOMPARE(window.rows(), QStringList());
    }

    void aFolderWithoutWebPFilesStillBecomesTheLastFolder()
    {
        Tree tree;
        tree.add({"only.png"});
        Window window;
        window.seams.fileDialogs.folderAnswers << tree.root();
        window.click("PushButton4");
        QCOMPARE(window.rows(), QStringList());
        QCOMPARE(window.settings->read(Stored::LastScannedFolder.key, QString()), tree.root());
    }

#ifndef Q_OS_WIN
    void namesThatCannotBeEnteredAndLinks()
    {
        Tree tree;
        tree.add({"ok/a.webp", "line\nbreak/b.webp", "ques?tion/c.webp", "ctrl\x01/d.webp",
                  "del\x7f/e.webp", "loop/f.webp", "twice/g.webp", "file\nname.webp"});
        // A folder whose name is not valid UTF-8 cannot be opened again by its decoded name.
        const QByteArray badName = QFile::encodeName(tree.root()) + "/bad\xff\xfe";
        QVERIFY(::mkdir(badName.constData(), 0755) == 0);
        QVERIFY(makeFile(badName + "/x.webp"));
        QVERIFY(QFile::link(tree.path("loop"), tree.path("loop/again")));     // a loop
        QVERIFY(QFile::link(tree.path("twice"), tree.path("ok/to twice")));   // a second way in
        QVERIFY(QFile::link(tree.path("nowhere"), tree.path("ok/dangling"))); // a dangling link
        QVERIFY(QFile::link(tree.path("nowhere.webp"), tree.path("dangling.webp")));
        // Files whose names are not valid UTF-8: a WebP file, a hidden one (left out as hidden
        // files are) and one the pattern does not take.
        for (const char* name : {"/ok/caf\xe9.WEBP", "/ok/.caf\xe9.webp", "/ok/caf\xe9.txt"})
            QVERIFY(makeFile(QFile::encodeName(tree.root()) + name));

        Window window;
        window.seams.fileDialogs.folderAnswers << tree.root();
        window.click("PushButton4");
        QCOMPARE(window.rows(),
                 tree.paths({"file\nname.webp", "loop/f.webp", "ok/a.webp", "twice/g.webp"}));
        // One message names what was found but could not be added.
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 notCarriedMessage({tree.root() + QFile::decodeName("/bad\xff\xfe/"),
                                    tree.root() + QFile::decodeName("/ok/caf\xe9.WEBP")}));
        QCOMPARE(window.messages().first().title, QStringLiteral("Orvalin"));
        QCOMPARE(window.messages().first().buttons, MessageButtons::Ok);
    }

    // Files and folders whose paths are longer than the system opens are named in the message
    // of what could not be added, with the reason, never left out silently; the rest of the
    // folder is added.
    void pathsTooLongToOpenAreToldOf()
    {
        QTemporaryDir root;
        const auto removeAll = qScopeGuard([&] { // QDir removes no path this long
            QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), root.path()});
        });
        // A folder whose own path is 3950 bytes long, made a folder at a time from the one
        // before, as no path that long can be named whole.
        QString deep = root.path();
        int folder = ::open(QFile::encodeName(deep).constData(), O_RDONLY | O_DIRECTORY);
        const auto descend = [&](const QByteArray& name) {
            const int next = ::mkdirat(folder, name.constData(), 0755) == 0
                                 ? ::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY)
                                 : -1;
            ::close(folder);
            folder = next;
            deep += QLatin1Char('/') + QFile::decodeName(name);
        };
        while (QFile::encodeName(deep).size() + 201 <= 3900)
            descend(QByteArray(200, 'd'));
        descend(QByteArray(3950 - QFile::encodeName(deep).size() - 1, 'e'));
        QVERIFY(folder >= 0);
        QCOMPARE(QFile::encodeName(deep).size(), 3950);
        const QByteArray longFile = QByteArray(250, 'f') + ".webp";
        const QByteArray longFolder(250, 'g');
        for (const QByteArray& file : {QByteArray("short.webp"), longFile})
            QVERIFY(::close(::openat(folder, file.constData(), O_CREAT | O_WRONLY, 0644)) == 0);
        QVERIFY(::mkdirat(folder, longFolder.constData(), 0755) == 0);
        const int inner = ::openat(folder, longFolder.constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(::close(::openat(inner, "in.webp", O_CREAT | O_WRONLY, 0644)) == 0);
        ::close(inner);
        ::close(folder);

        Window window;
        window.seams.fileDialogs.folderAnswers << deep;
        window.click("PushButton4");
        QCOMPARE(window.rows(), QStringList{deep + QStringLiteral("/short.webp")});
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 NotAddedMessage({NotAddedLine(deep + '/' + longFolder + '/', PathTooLongReason()),
                                  NotAddedLine(deep + '/' + longFile, PathTooLongReason())}));
    }

    void hiddenFilesAndFolders()
    {
        Tree tree;
        tree.add({".hidden-folder/in.webp", "visible/.hidden.webp", "visible/shown.webp"});
        const QString readOnlyHidden = tree.path("visible/.read-only.webp");
        writeFile(readOnlyHidden);
        QVERIFY(QFile::setPermissions(readOnlyHidden, QFileDevice::ReadOwner));
        QCOMPARE(FileAttributes(tree.path(".hidden-folder")), HiddenSystemFolder);
        QCOMPARE(FileAttributes(tree.path("visible/.hidden.webp")), HiddenPlainFile);

        // A visible link to a hidden folder is entered, once, through the link.
        QVERIFY(QFile::link(tree.path(".hidden-folder"), tree.path("photos")));
        QVERIFY(QFile::link(tree.path(".hidden-folder"), tree.path("visible/photos again")));

        Window window;
        window.seams.fileDialogs.folderAnswers << tree.root();
        window.click("PushButton4");
        QStringList expected = tree.paths({"photos/in.webp", "visible/shown.webp"});
        // Only a user who cannot write the file sees it read-only; the superuser writes anything.
        if (::geteuid() != 0)
            expected.insert(1, readOnlyHidden);
        QCOMPARE(window.rows(), expected);
    }

    void unreadableFoldersAreLeftOutWithTheirFiles()
    {
        // The superuser reads every folder, so this runs the scan as an ordinary user.
        if (::geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs setpriv to scan as an ordinary user");
        QTemporaryDir shared(QStringLiteral("/tmp/orvalin-scan-XXXXXX"));
        QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777));
        const QString root = shared.path();
        for (const char* folder : {"/open/", "/closed/", "/closed/inner/", "/open/below/"})
            QVERIFY(QDir().mkpath(root + QLatin1String(folder)));
        for (const char* file : {"/top.webp", "/open/a.webp", "/closed/b.webp",
                                 "/closed/inner/c.webp", "/open/below/d.webp"})
            writeFile(root + QLatin1String(file));
        QProcess::execute(QStringLiteral("chmod"),
                          {QStringLiteral("-R"), QStringLiteral("a+rwX"), root});
        QVERIFY(QFile::setPermissions(root + QStringLiteral("/closed"), {}));

        QProcess probe;
        QStringList command{QStringLiteral(SCAN_PROBE), root, QStringLiteral("*.webp")};
        if (::geteuid() == 0)
            command =
                QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                            QStringLiteral("--clear-groups"), QStringLiteral("--")}
                + command;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(::geteuid() == 0 ? QStringLiteral("setpriv") : command.takeFirst(), command);
        QVERIFY(probe.waitForFinished());
        QCOMPARE(probe.exitCode(), 0);
        const QStringList rows = QString::fromUtf8(probe.readAllStandardOutput())
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows, (QStringList{root + "/top.webp", root + "/open/a.webp",
                                    root + "/open/below/d.webp"}));
        QFile::setPermissions(root + QStringLiteral("/closed"), QFileDevice::Permissions(0x7777));
    }
#else
    void namesThatCannotBeEnteredAndLinks()
    {
        QSKIP("names with line breaks and control characters, and symbolic links, are Linux's");
    }

    // Windows keeps the hidden, system and archive marks on any file: a file that is exactly
    // hidden and archive is left out, a folder that is hidden and system is not entered.
    void hiddenAndSystemMarks()
    {
        Tree tree;
        tree.add({"plain.webp", "hidden.webp", "hidden-read-only.webp", "system/in.webp",
                  "only-hidden/in.webp"});
        const auto mark = [&](const char* relative, DWORD attributes) {
            return ::SetFileAttributesW(reinterpret_cast<LPCWSTR>(tree.path(relative).utf16()),
                                        attributes)
                   != 0;
        };
        QVERIFY(mark("hidden.webp", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
        QVERIFY(mark("hidden-read-only.webp",
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
        QVERIFY(mark("system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        QVERIFY(mark("only-hidden", FILE_ATTRIBUTE_HIDDEN));
        const auto unmark =
            qScopeGuard([&] { mark("hidden-read-only.webp", FILE_ATTRIBUTE_NORMAL); });
        if (FileAttributes(tree.path("hidden.webp")) != HiddenPlainFile)
            QSKIP("this file system keeps no file marks under Wine");
        QCOMPARE(FileAttributes(tree.path("system")), HiddenSystemFolder);

        Window window;
        window.seams.fileDialogs.folderAnswers << tree.root();
        window.click("PushButton4");
        QCOMPARE(window.rows(),
                 tree.paths({"hidden-read-only.webp", "plain.webp", "only-hidden/in.webp"}));
    }

    void unreadableFoldersAreLeftOutWithTheirFiles()
    {
        QSKIP("folders closed by permission bits, scanned as another user, are Linux's");
    }
#endif

    void filesThatVanishDuringTheScan()
    {
        Tree tree;
        tree.add({"first/a.webp", "second/b.webp", "second/c.webp", "third/d.webp"});
        Window window;
        window.seams.fileDialogs.folderAnswers << tree.root();
        bool removed = false;
        QTimer remover;
        QObject::connect(&remover, &QTimer::timeout, [&] {
            if (!removed) {
                removed = QDir(tree.path("second")).removeRecursively();
            }
        });
        remover.start(0);
        window.click("PushButton4");
        QVERIFY(removed);
        QVERIFY(!window.rows().contains(tree.path("second/b.webp")));
        QVERIFY(window.rows().contains(tree.path("third/d.webp")));
        QVERIFY(window.messages().isEmpty());
    }

    void closingTheWindowEndsTheScan()
    {
        Tree tree;
        QStringList files;
        for (int i = 0; i < 40; ++i)
            files << QStringLiteral("f%1/sub/a.webp").arg(i);
        tree.add(files);
        Window window;
        window.form->show();
        window.seams.fileDialogs.folderAnswers << tree.root();
        QTimer::singleShot(0, [&] { window.form->close(); });
        window.click("PushButton4");
        QVERIFY(!window.form->isVisible());
        QVERIFY(window.rows().size() < 40);
        QVERIFY(window.messages().isEmpty());
    }

    void dragsWithoutFilesAreRefused()
    {
        Window window;
        auto* list = window.control<FileListView>("ListView1");
        QMimeData text;
        text.setText(QStringLiteral("/some/path.webp"));
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(!enter.isAccepted());

        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/a.webp"))});
        QDragMoveEvent move(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &move);
        QVERIFY(!move.isAccepted());

        std::unique_ptr<QMimeData> files(filesData({QStringLiteral("/x.webp")}));
        QDragEnterEvent withFiles(QPoint(10, 10), Qt::CopyAction, files.get(), Qt::LeftButton,
                                  Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &withFiles);
        QVERIFY(withFiles.isAccepted());

        QMimeData* plain = new QMimeData;
        plain->setText(QStringLiteral("words"));
        sendDrop(*list, plain);
        delete plain;
        QCOMPARE(window.rows(), QStringList());
    }

    void droppedFilesAndFolders()
    {
        Tree tree;
        tree.add({"one.txt", "two.WEBP", "dir1/a.png", "dir1/~temp.webp", "dir1/.hidden",
                  "dir1/sub/b.jpg", "dir2/c"});
        const QString missing = tree.path("gone.webp");
        Window window;
        auto* list = window.control<FileListView>("ListView1");
        window.form->setMousePointer(PointerKind::Busy); // a drop neither tests nor sets it
        std::unique_ptr<QMimeData> data(
            filesData({tree.path("two.WEBP"), tree.path("dir1"), missing, tree.path("one.txt"),
                       tree.path("dir2")}));
        sendDrop(*list, data.get());
        QCOMPARE(window.rows(), tree.paths({"two.WEBP", "dir1/a.png", "dir1/sub/b.jpg", "gone.webp",
                                            "one.txt", "dir2/c"}));
        QCOMPARE(window.form->mousePointer(), PointerKind::Busy);

        sendDrop(*list, data.get());
        QCOMPARE(window.rows().size(), 12);
    }

#ifndef Q_OS_WIN
    void droppedNamesThatCannotBeCarried()
    {
        Tree tree;
        tree.add({"good.webp", "dir/in.png"});
        const QByteArray root = QFile::encodeName(tree.root());
        QVERIFY(makeFile(root + "/caf\xe9.webp"));
        QVERIFY(makeFile(root + "/dir/caf\xe9.png"));
        // The desktop names a dropped file by its bytes, percent-encoded.
        const QUrl notUtf8 =
            QUrl::fromEncoded("file://" + root.toPercentEncoding("/") + "/caf%E9.webp");
        Window window;
        auto* list = window.control<FileListView>("ListView1");
        std::unique_ptr<QMimeData> data(filesData({tree.path("good.webp"), tree.path("dir")}));
        data->setUrls(data->urls() << notUtf8);
        sendDrop(*list, data.get());
        QCOMPARE(window.rows(), tree.paths({"good.webp", "dir/in.png"}));
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 notCarriedMessage({tree.root() + QFile::decodeName("/dir/caf\xe9.png"),
                                    tree.root() + QFile::decodeName("/caf\xe9.webp")}));

        // A drop of such a file alone is taken too, so that it is told of.
        data->setUrls({notUtf8});
        sendDrop(*list, data.get());
        QCOMPARE(window.rows().size(), 2);
        QCOMPARE(window.messages().size(), 2);
    }

    void startPathsThatCannotBeCarried()
    {
        Tree tree;
        tree.add({"good.webp", "dir/in.webp"});
        const QByteArray root = QFile::encodeName(tree.root());
        QVERIFY(makeFile(root + "/caf\xe9.webp"));
        QVERIFY(makeFile(root + "/dir/caf\xe9.webp"));
        const QByteArray latinFolder = root + "/d\xe9j\xe0";
        QVERIFY(::mkdir(latinFolder.constData(), 0755) == 0);
        QVERIFY(makeFile(latinFolder + "/x.webp"));

        Window window;
        const StartRequest start =
            ReadCommandLine({"good.webp", "caf\xe9.webp", root + "/dir"}, root);
        window.form->takeHandedPaths(start.paths);
        QCOMPARE(window.rows(), tree.paths({"good.webp", "dir/in.webp"}));
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 notCarriedMessage({tree.root() + QFile::decodeName("/caf\xe9.webp"),
                                    tree.root() + QFile::decodeName("/dir/caf\xe9.webp")}));

        // Started in a folder whose name cannot be carried, a relative path cannot be either.
        const StartRequest inLatinFolder =
            ReadCommandLine({"x.webp", root + "/good.webp"}, latinFolder);
        window.form->takeHandedPaths(inLatinFolder.paths);
        QCOMPARE(window.rows().size(), 3);
        QCOMPARE(window.messages().size(), 2);
        QCOMPARE(window.messages().last().text,
                 notCarriedMessage({QFile::decodeName(latinFolder + "/x.webp")}));
    }
#else
    void droppedNamesThatCannotBeCarried()
    {
        QSKIP("names that are not valid UTF-8 are Linux's: Windows names are UTF-16");
    }
#endif

    void sampleFiles()
    {
        Window window({.prepareProgramFolder = [](const QString& folder) {
            QDir().mkpath(folder + QStringLiteral("/Samples"));
            for (const char* name : {"/Samples/b.webp", "/Samples/a.webp", "/Samples/c.txt"})
                writeFile(folder + QLatin1String(name));
        }});
        const QString samples = nativePath(window.programFolder.path() + "/Samples");
        const auto sample = [&](const char* name) { return nativePath(samples + '/' + name); };
        window.form->fileList().add(sample("/a.webp")); // differs: added again
        window.form->fileList().add(sample("c.txt"));   // equal: not added again
        window.seams.messageBoxes.answers << MessageAnswer::No << MessageAnswer::Yes;

        window.click("PushButton7");
        window.click("PushButton7");

        QCOMPARE(window.rows(), (QStringList{sample("/a.webp"), sample("c.txt"), sample("a.webp"),
                                             sample("b.webp")}));
        QCOMPARE(window.messages().size(), 2);
        for (const MessageRequest& question : window.messages()) {
            QCOMPARE(question.text,
                     QStringLiteral("Would you like this software to open the folder where "
                                    "these sample files are stored (so that you can view "
                                    "them before working with them)?"));
            QCOMPARE(question.buttons, MessageButtons::YesNo);
            QCOMPARE(question.icon, MessageIcon::None);
            QCOMPARE(question.title, QStringLiteral("Orvalin"));
        }
        QCOMPARE(window.seams.shell.opened, QStringList{samples}); // only after the Yes

        QFile::remove(sample("b.webp"));
        writeFile(sample("d.webp"));
        window.form->fileList().clear();
        window.click("PushButton7");
        QCOMPARE(window.rows(), (QStringList{sample("a.webp"), sample("c.txt"), sample("d.webp")}));
    }

    void noSamplesFolderStillAsks()
    {
        Window window;
        window.click("PushButton7");
        QCOMPARE(window.rows(), QStringList());
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.seams.shell.opened, QStringList());
    }

    void patterns()
    {
        QVERIFY(MatchesPattern(QStringLiteral("a.WEBP"), QStringLiteral("*.webp")));
        QVERIFY(!MatchesPattern(QStringLiteral("a.webp.txt"), QStringLiteral("*.webp")));
        QVERIFY(MatchesPattern(QStringLiteral("no dot"), QStringLiteral("*.*")));
        QVERIFY(MatchesPattern(QStringLiteral(".hidden"), QStringLiteral("*.*")));
        QVERIFY(HasUnsafeNameChars(QStringLiteral("a\tb")));
        QVERIFY(HasUnsafeNameChars(QStringLiteral("a?b")));
        QVERIFY(HasUnsafeNameChars(QString(QChar(0x85))));
        QVERIFY(!HasUnsafeNameChars(QStringLiteral("日本語 ü ß")));
        QVERIFY(!HasUnsafeNameChars(QString::fromUcs4(U"emoji \U0001F600")));
    }
};

QTEST_MAIN(TestFolderScan)
#include "TestFolderScan.moc"
