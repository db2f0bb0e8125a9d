#pragma once

#include "core/OutputChoices.h"
#include "core/Platform.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QMenu;
class QRadioButton;

namespace orvalin {

class SettingsStore;

inline const QString OptionsMenuText = QStringLiteral("&Options");
inline const QString IfExistsMenuText = QStringLiteral("If a JPG of That Name Exists");
inline const QString ReplaceItText = QStringLiteral("Replace It");
inline const QString KeepBothText = QStringLiteral("Keep Both (Number the New One)");
inline const QString SkipTheFileText = QStringLiteral("Skip the File");
inline const QString KeepSubfoldersText = QStringLiteral("Keep Sub-folders in the Output Folder");
inline const QString KeepDatesText = QStringLiteral("Keep the Original's Dates");
inline const QString MetadataMenuText = QStringLiteral("Metadata");
inline const QString KeepAllMetadataText = QStringLiteral("Keep All");
inline const QString RemoveLocationText = QStringLiteral("Remove the Location");
inline const QString ColourAndOrientationText = QStringLiteral("Keep Only Colour and Orientation");
inline const QString SizeMenuText = QStringLiteral("Size");
inline const QString KeepSizeText = QStringLiteral("Keep the Size");
inline const QString OtherSizeText = QStringLiteral("Fit Within Other Size...");
inline const QString OtherSizeTitle = QStringLiteral("Fit Within Other Size");
inline const QString OtherSizeLabel =
    QStringLiteral("The most pixels the longer side may have (16 to 65535):");
inline const QString OtherSizeRefused =
    QStringLiteral("Please enter a whole number from 16 to 65535.");
// The sizes offered, largest first.
inline constexpr std::uint32_t FitPresets[] = {3840, 2560, 1920, 1600, 1280, 1024, 800};

// "Fit Within 1920 Pixels".
QString FitWithinText(std::uint32_t pixels);

// The Options menu: what becomes of a result beside its quality and folder. Its items hold the
// choices, as the window's controls hold the other options: each is stored the moment it
// changes and restored at start-up, and a run reads them at each row's turn. "Keep Sub-folders"
// is enabled exactly while results go to one folder, as the folder box is.
class OutputChoicesMenu
{
public:
    // Fills the menu. toFolder: the option that sends results to one folder; context: the
    // window that asks for another size.
    OutputChoicesMenu(QMenu& menu, SettingsStore& settings, QRadioButton& toFolder,
                      std::function<WindowContext()> context);
    ~OutputChoicesMenu();

    // Puts the stored choices into the items.
    void restore();

    OutputChoices choices() const;

    // "Fit Within Other Size...": asks for a size and takes it, or tells what it takes.
    void askOtherSize(const WindowContext& window);

private:
    QAction* addChoice(QMenu& menu, QActionGroup* group, const QString& text);
    void show(const OutputChoices& choices);
    void showFitWithin(std::uint32_t fit);
    void store();

    QMenu& m_menu;
    SettingsStore& m_settings;
    QRadioButton& m_toFolder;
    QObject m_reactions;
    QMenu* m_sizeMenu = nullptr;
    QActionGroup* m_sizes = nullptr;
    std::map<IfExists, QAction*> m_ifExists;
    std::map<MetadataKept, QAction*> m_metadata;
    std::map<std::uint32_t, QAction*> m_fits; // 0: keep the size
    QAction* m_keepSubfolders = nullptr;
    QAction* m_keepDates = nullptr;
    QAction* m_ownSize = nullptr; // a size not among the presets, while it is chosen
    QAction* m_otherSize = nullptr;
    std::uint32_t m_fitWithin = 0;
};

} // namespace orvalin
