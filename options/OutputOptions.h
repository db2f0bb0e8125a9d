#pragma once

#include "core/Platform.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include <functional>

class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace orvalin {

class GuardedSteps;
class SettingsStore;

inline const QString QualityFrameDesignCaption = QStringLiteral("JPG Image Quality");
inline QString SaveOptionFrameCaption()
{
    return QCoreApplication::translate("OutputOptions", "Save Option");
}
inline QString SaveToFolderCaption()
{
    return QCoreApplication::translate("OutputOptions", "Save results to this folder:");
}
inline QString SaveBesideSourceCaption()
{
    return QCoreApplication::translate("OutputOptions", "Save results in folder of original file");
}
inline const QString BrowseButtonCaption = QStringLiteral("...");
inline QString PickFolderTitle()
{
    return QCoreApplication::translate("OutputOptions", "Please select folder:");
}

inline constexpr int MinimumQuality = 1;
inline constexpr int MaximumQuality = 100;
inline constexpr int DesignQuality = 85;

// The quality slider's design state: 1 to 100 in steps of 1 and 5, a tick at every value.
void setUpQualitySlider(QSlider& slider);

// "Output JPG image quality: 85%".
QString QualityCaption(int quality);

// The controls that hold the output options; they are the only copy of them.
struct OutputOptionControls
{
    QGroupBox& Frame1;
    QSlider& Slider1;
    QRadioButton& Option1;
    QRadioButton& Option2;
    QGroupBox& Frame3;
    QLineEdit& Text1;
};

// The output options' reactions: every change is stored at once, and the load step restores
// them in an order whose effects later steps see.
class OutputOptions
{
public:
    using DesktopFolderLookup = std::function<QString()>;

    OutputOptions(OutputOptionControls controls, SettingsStore& settings,
                  DesktopFolderLookup desktopFolder);

    // Connects each control's change to its reaction.
    void connectReactions();

    // The load step's restore, steps 136 to 150, each reported through the load step's guard.
    void restore(GuardedSteps& load);

    // "...": picks a folder, starting at the last one picked, and puts it into the output box.
    void browseForOutputFolder(const WindowContext& window);

    void optionClicked();
    void qualityChanged(int quality);
    void outputFolderEdited(const QString& text);

private:
    OutputOptionControls m_controls;
    SettingsStore& m_settings;
    DesktopFolderLookup m_desktopFolder;
    // The reactions' context, destroyed first: the controls outlive these options while the
    // window is torn down, and a change then must reach nothing.
    QObject m_reactions;
};

// Turns a radio button on or off from the program, also off when it is the group's only
// checked button (which a user click can never do).
void setOptionState(QRadioButton& option, bool on);

} // namespace orvalin
