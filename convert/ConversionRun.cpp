#include "ConversionRun.h"

#include "Failure.h"
#include "FailureReport.h"
#include "FileListView.h"
#include "PathHelpers.h"
#include "ProgressBarWithText.h"
#include "SaveResult.h"
#include "ToolImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QTemporaryDir>

#include <cmath>
#include <memory>


namespace orvalin {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString temporaryFolder()
{
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

// A folder only this run uses, with a name no one could have planted and owner-only access,
// so nothing that happens to lie in the temporary folder is ever run, read or deleted.
std::unique_ptr<QTemporaryDir> makeWorkFolder()
{
    auto folder = std::make_unique<QTemporaryDir>(temporaryFolder() + QStringLiteral("/orvalin-run-XXXXXX"));
    if (!folder->isValid())
        throw Failure(QStringLiteral("Path not found: ") + folder->errorString());
    return folder;
}

const QTemporaryDir& requireWorkFolder(const std::unique_ptr<QTemporaryDir>& folder)
{
    if (!folder)
        throw Failure(QStringLiteral("Path not found"));
    return *folder;
}

bool isPresentFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Rows are followed by identity: a row that moves is still converted once, a row that has
// gone is not converted at all, rows added after the start are not converted.
class PendingRows
{
public:
    explicit PendingRows(const FileListView& list)
    {
        for (int position = 1; position <= list.count(); ++position)
            m_identities.insert(list.identity(position));
    }

    // The row the run's i-th step works on: row i while nothing has moved, otherwise the first
    // row still waiting. Empty when every waiting row has gone.
    std::optional<QString> take(const FileListView& list, int i)
    {
        if (i <= list.count() && m_identities.remove(list.identity(i)))
            return list.text(i);
        for (int position = 1; position <= list.count(); ++position) {
            if (m_identities.remove(list.identity(position)))
                return list.text(position);
        }
        return std::nullopt;
    }

private:
    QSet<quint64> m_identities;
};

// The folder of a source, with a trailing separator; for a source named without a folder, the
// current folder, so that its result lands beside it and never in the root.
QString folderOfSource(const QString& source)
{
    const QString parent = GetParentPath(source);
    return parent.isEmpty() ? QStringLiteral(".") + Separator : parent;
}

} // namespace

QString FinalMessage(const QStringList& skipped, const QStringList& notSaved)
{
    QString message = DoneMessage;
    if (!skipped.isEmpty())
        message += CrLf + SkippedHeading + CrLf + skipped.join(CrLf);
    if (!notSaved.isEmpty())
        message += CrLf + NotSavedHeading + CrLf + notSaved.join(CrLf);
    return message;
}

ConversionRun::ConversionRun(ConversionRunWindow window, std::chrono::milliseconds passLength)
    : m_window(std::move(window)), m_runner(passLength), m_loadToolImage(LoadToolImage)
{
}

void ConversionRun::setToolImageLoader(std::function<QByteArray(const QString&)> loader)
{
    m_loadToolImage = std::move(loader);
}

ConversionRun::~ConversionRun() = default;

void ConversionRun::abandon()
{
    m_abandoned = true;
    m_runner.stopRunningTool();
}

void ConversionRun::start(const WindowContext& context)
{
    GuardedSteps guard(GuardedProcedure::StartConvertingClick, context.platform.messageBoxes,
                       context.owner);
    const auto tell = [&](const QString& text) {
        context.platform.messageBoxes.show(
            context.owner, {context.applicationTitle, text, MessageIcon::None, MessageButtons::Ok});
    };
    FileListView& list = m_window.list;
    ProgressBarWithText& bar = m_window.ProgressBar1;

    if (guard.test(100, [&] { return m_isConverting; }))
        return;
    guard.step(102, [&] {
        m_isConverting = true;
        m_abandoned = false;
    });

    // Everything from here to the end runs inside this scope, so the working folder goes
    // whatever way the run ends.
    [&] {
        if (guard.test(104, [&] { return list.count() == 0; })) {
            guard.step(204, [&] { tell(NoFilesMessage); });
            return;
        }
        if (guard.test(106, [&] {
                return IsFolder(m_window.Text1.text()) != true && !m_window.Option2.isChecked();
            })) {
            guard.step(202, [&] { tell(NoOutputFolderMessage); });
            return;
        }
        guard.step(112, [&] { m_window.setPointer(PointerKind::Busy); });

        QString addressWidth;
        guard.step(114, [&] { addressWidth = GetAddressWidth(); });
        QByteArray decoderImage;
        if (guard.test(116, [&] { return addressWidth == QLatin1String("64"); }))
            guard.step(118, [&] { decoderImage = m_loadToolImage(DecoderImageFor(QStringLiteral("64"))); });
        else
            guard.step(120, [&] { decoderImage = m_loadToolImage(DecoderImageFor(QStringLiteral("32"))); });

        std::unique_ptr<QTemporaryDir> work;
        QString decoderFile;
        QString encoderFile;
        guard.step(122, [&] {
            work = makeWorkFolder();
            decoderFile = work->filePath(DecoderFileName);
            if (!PathExists(decoderFile))
                WriteBytesIfAbsent(decoderImage, decoderFile);
        });
        QByteArray encoderImage;
        guard.step(124, [&] { encoderImage = m_loadToolImage(EncoderImage()); });
        guard.step(126, [&] {
            encoderFile = requireWorkFolder(work).filePath(EncoderFileName);
            if (!PathExists(encoderFile))
                WriteBytesIfAbsent(encoderImage, encoderFile);
        });

        QStringList skipped;
        QStringList notSaved;
        int rowCount = 0;
        std::optional<PendingRows> pending;
        guard.step(128, [&] { skipped.clear(); });
        guard.step(130, [&] {
            rowCount = list.count();
            pending.emplace(list);
        });
        for (int i = 1; i <= rowCount && !m_abandoned && pending; ++i) {
            std::optional<QString> row;
            guard.step(132, [&] { row = pending->take(list, i); });
            if (!row)
                continue;
            const QString source = *row;
            guard.step(134, [&] { bar.setExactValue(double(i) / list.count() * 100.0); });
            guard.step(136, [&] { bar.setText(QStringLiteral("Processing: ") + GetFileName(source)); });
            guard.step(138, [&] { QCoreApplication::processEvents(); });
            if (m_abandoned)
                break;
            guard.step(140, [&] { m_window.setPointer(PointerKind::Busy); });

            const QString baseName = RemoveExtension(GetFileName(source));
            QString png;
            QString jpg;
            guard.step(142, [&] { png = requireWorkFolder(work).filePath(baseName + QStringLiteral(".png")); });
            guard.step(144, [&] { jpg = requireWorkFolder(work).filePath(baseName + QStringLiteral(".jpg")); });

            // The output: in the typed folder, or beside the source, or (neither option on)
            // none, and the row is listed as not saved.
            std::optional<QString> output;
            const QString outputName = baseName + QStringLiteral(".jpg");
            if (guard.test(146, [&] { return m_window.Option1.isChecked(); }))
                guard.step(148, [&] { output = m_window.Text1.text() + Separator + outputName; });
            else if (guard.test(150, [&] { return m_window.Option2.isChecked(); }))
                guard.step(152, [&] { output = folderOfSource(source) + Separator + outputName; });
            guard.step(154, [&] {
                if (output)
                    output = CollapseDoubleBackslashes(*output);
            });

            if (guard.test(156, [&] {
                    if (png.isEmpty() || decoderFile.isEmpty())
                        throw Failure(FailureText::FileNotFound);
                    return m_runner.ShellAndWait({decoderFile, {source, QStringLiteral("-o"), png}}, 0) != 0;
                }))
                guard.step(158, [&] { skipped.append(source); });
            if (m_abandoned)
                break;

            if (guard.test(160, [&] { return isPresentFile(png); })) {
                ToolCommand encode;
                guard.step(166, [&] {
                    encode = {encoderFile,
                              {QStringLiteral("-q"), QString::number(m_window.Slider1.value()),
                               QStringLiteral("-out"), QStringLiteral("jpeg"), png}};
                });
                guard.step(168, [&] {
                    m_runner.ShellAndWaitWithProgress(encode, 0, &bar, bar.text(),
                                                      qint32(std::nearbyint(bar.exactValue())),
                                                      std::max(1, list.count()));
                });
                if (m_abandoned)
                    break;
                if (guard.test(170, [&] { return isPresentFile(jpg); })) {
                    bool saved = false;
                    guard.step(172, [&] {
                        if (output) {
                            SaveResultAs(jpg, *output);
                            saved = true;
                        }
                    });
                    if (!saved)
                        notSaved.append(source);
                    guard.step(174, [&] { DeleteFileQuietly(jpg); });
                } else {
                    guard.step(176, [&] { skipped.append(source); });
                }
                guard.step(178, [&] { DeleteFileQuietly(png); });
            }
        }

        guard.step(182, [&] { DeleteFileQuietly(decoderFile); });
        guard.step(184, [&] { DeleteFileQuietly(encoderFile); });
        work.reset();
        if (m_abandoned)
            return; // the window has closed: nothing more is shown

        guard.step(186, [&] { m_window.setPointer(PointerKind::Default); });
        guard.step(188, [&] { bar.setExactValue(0); });
        guard.step(190, [&] { bar.setText(ProgressBarIdleText); });
        guard.step(200, [&] { tell(FinalMessage(skipped, notSaved)); });
    }();

    guard.step(206, [&] { m_isConverting = false; });
}

} // namespace orvalin
