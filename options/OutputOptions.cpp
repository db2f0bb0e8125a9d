#include "options/OutputOptions.h"

#include "core/FailureReport.h"
#include "core/PathHelpers.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

namespace orvalin {

void setUpQualitySlider(QSlider& slider)
{
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(MinimumQuality, MaximumQuality);
    slider.setSingleStep(1);
    slider.setPageStep(5);
    slider.setTickPosition(QSlider::TicksBelow);
    slider.setTickInterval(1);
    slider.setValue(DesignQuality);
}

QString QualityCaption(int quality)
{
    return QCoreApplication::translate("OutputOptions", "Output JPG image quality: %1%")
        .arg(quality);
}

void setOptionState(QRadioButton& option, bool on)
{
    if (option.isChecked() == on)
        return;
    const bool exclusive = option.autoExclusive();
    option.setAutoExclusive(on && exclusive);
    option.setChecked(on);
    option.setAutoExclusive(exclusive);
}

OutputOptions::OutputOptions(OutputOptionControls controls, SettingsStore& settings,
                             DesktopFolderLookup desktopFolder)
    : m_controls(controls), m_settings(settings), m_desktopFolder(std::move(desktopFolder))
{
}

void OutputOptions::connectReactions()
{
    // A click stores the options even when it changes nothing. An option the program turns on
    // runs the same reaction as a click; one turned off runs none, so a restore that turns the
    // first option off does not overwrite the second's stored state before it is read.
    for (QRadioButton* option : {&m_controls.Option1, &m_controls.Option2}) {
        QObject::connect(option, &QRadioButton::clicked, &m_reactions, [this] { optionClicked(); });
        QObject::connect(option, &QRadioButton::toggled, &m_reactions, [this](bool on) {
            if (on)
                optionClicked();
        });
    }
    QObject::connect(&m_controls.Slider1, &QSlider::valueChanged, &m_reactions,
                     [this](int quality) { qualityChanged(quality); });
    QObject::connect(&m_controls.Text1, &QLineEdit::textChanged, &m_reactions,
                     [this](const QString& text) { outputFolderEdited(text); });
}

void OutputOptions::restore(GuardedSteps& load)
{
    load.step(136, [&] {
        const QString desktop = m_desktopFolder();
        m_controls.Text1.setText(m_settings.value(Stored::OutputFolder, desktop));
    });
    load.step(138,
              [&] { setOptionState(m_controls.Option1, m_settings.value(Stored::SaveToFolder)); });
    load.step(140, [&] {
        setOptionState(m_controls.Option2, m_settings.value(Stored::SaveBesideSource));
    });
    if (load.test(142, [&] { return m_controls.Option1.isChecked(); }))
        load.step(144, [&] { m_controls.Frame3.setEnabled(true); });
    else
        load.step(146, [&] { m_controls.Frame3.setEnabled(false); });
    load.step(148, [&] {
        // A quality outside 1 to 100 is brought to the nearest end, as the slider holds it.
        m_controls.Slider1.setValue(m_settings.value(Stored::Quality));
    });
    load.step(150, [&] { m_controls.Frame1.setTitle(QualityCaption(m_controls.Slider1.value())); });
}

void OutputOptions::optionClicked()
{
    m_settings.setValue(Stored::SaveToFolder, m_controls.Option1.isChecked());
    m_settings.setValue(Stored::SaveBesideSource, m_controls.Option2.isChecked());
    m_controls.Frame3.setEnabled(m_controls.Option1.isChecked());
}

void OutputOptions::qualityChanged(int quality)
{
    m_controls.Frame1.setTitle(QualityCaption(quality));
    m_settings.setValue(Stored::Quality, quality);
}

void OutputOptions::outputFolderEdited(const QString& text)
{
    m_settings.setValue(Stored::OutputFolder, text);
}

void OutputOptions::browseForOutputFolder(const WindowContext& window)
{
    GuardedSteps guard(GuardedProcedure::BrowseOutputFolderClick, window.platform.messageBoxes,
                       window.owner);
    QString lastFolder;
    QString chosen;
    guard.step(100, [&] { lastFolder = m_settings.value(Stored::LastOutputFolder); });
    guard.step(102, [&] {
        chosen =
            window.platform.fileDialogs.pickFolder(window.owner, PickFolderTitle(), lastFolder);
    });
    if (guard.test(104, [&] { return chosen.isEmpty(); }))
        return;
    guard.step(106, [&] { m_settings.setValue(Stored::LastOutputFolder, chosen); });
    if (guard.test(108, [&] { return !chosen.endsWith(Separator); }))
        guard.step(110, [&] { m_controls.Text1.setText(chosen + Separator); });
    else
        guard.step(112, [&] { m_controls.Text1.setText(chosen); });
}

} // namespace orvalin
