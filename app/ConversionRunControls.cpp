#include "app/ConversionRunControls.h"

#include "app/ProgressBarWithText.h"
#include "filelist/FileListView.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <utility>

namespace orvalin {

ConversionRunControls::ConversionRunControls(FileListView& list, QLineEdit& folder,
                                             QRadioButton& toFolder, QRadioButton& besideSource,
                                             QSlider& quality, ProgressBarWithText& bar,
                                             std::function<void(PointerKind)> setPointer,
                                             std::function<OutputChoices()> outputChoices,
                                             Taskbar& taskbar)
    : m_list(list), m_folder(folder), m_toFolder(toFolder), m_besideSource(besideSource),
      m_quality(quality), m_bar(bar), m_setPointer(std::move(setPointer)),
      m_outputChoices(std::move(outputChoices)), m_taskbar(taskbar)
{
}

int ConversionRunControls::count() const
{
    return m_list.count();
}

quint64 ConversionRunControls::identity(int position) const
{
    return m_list.identity(position);
}

QString ConversionRunControls::text(int position) const
{
    return m_list.text(position);
}

QString ConversionRunControls::addedFrom(int position) const
{
    return m_list.addedFrom(position);
}

bool ConversionRunControls::savesToFolder() const
{
    return !m_besideSources && m_toFolder.isChecked();
}

bool ConversionRunControls::savesBesideSource() const
{
    return m_besideSources || m_besideSource.isChecked();
}

QString ConversionRunControls::outputFolder() const
{
    return m_folder.text();
}

int ConversionRunControls::quality() const
{
    return m_quality.value();
}

OutputChoices ConversionRunControls::outputChoices() const
{
    return m_outputChoices();
}

QString ConversionRunControls::progressText() const
{
    return m_bar.text();
}

void ConversionRunControls::setProgressText(const QString& text)
{
    m_bar.setText(text);
}

double ConversionRunControls::progressValue() const
{
    return m_bar.exactValue();
}

void ConversionRunControls::setProgressValue(double value)
{
    m_bar.setExactValue(value);
    m_showsProgress = true;
    m_taskbar.showProgress(m_bar.window(), std::clamp(value / 100.0, 0.0, 1.0));
}

void ConversionRunControls::runFinished()
{
    if (std::exchange(m_showsProgress, false))
        m_taskbar.clearProgress(m_bar.window());
    if (!m_bar.window()->isActiveWindow())
        m_taskbar.requestAttention(m_bar.window());
}

void ConversionRunControls::setPointer(PointerKind kind)
{
    m_setPointer(kind);
}

} // namespace orvalin
