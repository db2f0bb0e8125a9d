#pragma once

#include "ChildProcess.h"
#include "Platform.h"

#include <QString>

#include <chrono>
#include <functional>

class QLineEdit;
class QRadioButton;
class QSlider;

namespace orvalin {

class FileListView;
class ProgressBarWithText;

inline const QString NoFilesMessage = QStringLiteral("No files added.");
inline const QString NoOutputFolderMessage =
    QStringLiteral("Folder does not exist. Please select another folder.");
inline const QString DoneMessage = QStringLiteral("Done.");
inline const QString SkippedHeading =
    QStringLiteral("The following files were skipped because they are not in WebP format:");
inline const QString NotSavedHeading = QStringLiteral("The following files could not be saved:");

// What a run reads and changes on the window. The options are read again for every row.
struct ConversionRunWindow
{
    FileListView& list;
    QLineEdit& Text1;
    QRadioButton& Option1;
    QRadioButton& Option2;
    QSlider& Slider1;
    ProgressBarWithText& ProgressBar1;
    std::function<void(PointerKind)> setPointer;
};

// The final message: "Done." alone, or followed by the files that were skipped and those whose
// result could not be saved, each list under its heading, one file a line.
QString FinalMessage(const QStringList& skipped, const QStringList& notSaved);

// "Start Converting": turns every listed file into a JPG with the two carried tools, one row
// after another, in a private working folder of its own that it removes at its end.
class ConversionRun
{
public:
    explicit ConversionRun(ConversionRunWindow window,
                           std::chrono::milliseconds passLength = std::chrono::milliseconds(100));
    ~ConversionRun();

    void start(const WindowContext& context);

    bool IsConverting() const { return m_isConverting; }

    // The window is closing: the running tool is stopped, no further step runs, and the working
    // folder is removed before the run returns.
    void abandon();

    ChildProcessRunner& runner() { return m_runner; }

    // Where the run takes its tool images from: the executable's resources, unless a test
    // gives tools of its own.
    void setToolImageLoader(std::function<QByteArray(const QString& resource)> loader);

private:
    class Work;

    ConversionRunWindow m_window;
    ChildProcessRunner m_runner;
    bool m_isConverting = false;
    bool m_abandoned = false;
    std::function<QByteArray(const QString&)> m_loadToolImage;
};

} // namespace orvalin
