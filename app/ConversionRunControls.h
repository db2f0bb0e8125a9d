#pragma once

#include "core/ConversionRun.h"

#include <functional>

class QLineEdit;
class QRadioButton;
class QSlider;

namespace orvalin {

class FileListView;
class ProgressBarWithText;

// The window's controls as the conversion run sees them: the list it converts, the output
// options it reads, and the bar and pointer it shows its progress on.
class ConversionRunControls : public RunRows, public RunOptions, public RunDisplay
{
public:
    // The taskbar shows the bar's share on the window's button while a run works.
    ConversionRunControls(FileListView& list, QLineEdit& folder, QRadioButton& toFolder,
                          QRadioButton& besideSource, QSlider& quality, ProgressBarWithText& bar,
                          std::function<void(PointerKind)> setPointer,
                          std::function<OutputChoices()> outputChoices, Taskbar& taskbar);

    int count() const override;
    quint64 identity(int position) const override;
    QString text(int position) const override;
    QString addedFrom(int position) const override;

    bool savesToFolder() const override;
    bool savesBesideSource() const override;
    QString outputFolder() const override;
    int quality() const override;
    OutputChoices outputChoices() const override;

    QString progressText() const override;
    void setProgressText(const QString& text) override;
    double progressValue() const override;
    void setProgressValue(double value) override;
    void setPointer(PointerKind kind) override;
    // The button's progress goes, and a window the user has left asks for attention.
    void runFinished() override;

    // While set, every result goes beside its source, whatever the save option says.
    void setResultsBesideSources(bool beside) { m_besideSources = beside; }

private:
    FileListView& m_list;
    QLineEdit& m_folder;
    QRadioButton& m_toFolder;
    QRadioButton& m_besideSource;
    QSlider& m_quality;
    ProgressBarWithText& m_bar;
    std::function<void(PointerKind)> m_setPointer;
    std::function<OutputChoices()> m_outputChoices;
    Taskbar& m_taskbar;
    bool m_besideSources = false;
    bool m_showsProgress = false; // on the taskbar, since the run's first step
};

} // namespace orvalin
