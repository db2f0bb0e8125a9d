#pragma once

#include "core/OutputChoices.h"
#include "core/Platform.h"

#include <QCoreApplication>
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

inline QString OptionsMenuText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "&Options");
}
inline QString IfExistsMenuText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "If a JPG of That Name &Exists");
}
inline QString ReplaceItText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "&Replace It");
}
inline QString KeepBothText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Keep &Both (Number the New One)");
}
inline QString SkipTheFileText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "&Skip the File");
}
inline QString KeepSubfoldersText()
{
    return QCoreApplication::translate("OutputChoicesMenu",
                                       "Keep Sub-&folders in the Output Folder");
}
inline QString KeepDatesText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Keep the Original's &Dates");
}
inline QString MetadataMenuText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "&Metadata");
}
inline QString KeepAllMetadataText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Keep &All");
}
inline QString RemoveLocationText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Remove the &Location");
}
inline QString ColourAndOrientationText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Keep Only &Colour and Orientation");
}
inline QString SizeMenuText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Si&ze");
}
inline QString KeepSizeText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "&Keep the Size");
}
inline QString OtherSizeText()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Fit Within &Other Size...");
}
inline QString OtherSizeTitle()
{
    return QCoreApplication::translate("OutputChoicesMenu", "Fit Within Other Size");
}
inline QString OtherSizeLabel()
{
    return QCoreApplication::translate("OutputChoicesMenu",
                                       "The most pixels the longer side may have (16 to 65535):");
}
inline QString OtherSizeRefused()
{
    return QCoreApplication::translate("OutputChoicesMenu",
                                       "Please enter a whole number from 16 to 65535.");
}
// The sizes offered, largest first.
inline constexpr std::uint32_t FitPresets[] = {3840, 2560, 1920, 1600, 1280, 1024, 800};

// "Fit Within 1920 Pixels", with a digit of the number as the item's mnemonic for the sizes
// offered.
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

    // Gives every item its text in the language now in use.
    void retranslate();

    OutputChoices choices() const;

    // "Fit Within Other Size...": asks for a size and takes it, or tells what it takes.
    void askOtherSize(const WindowContext& window);

private:
    QAction* addChoice(QMenu& menu, QActionGroup* group);
    void show(const OutputChoices& choices);
    void showFitWithin(std::uint32_t fit);
    void store();

    QMenu& m_menu;
    SettingsStore& m_settings;
    QRadioButton& m_toFolder;
    QObject m_reactions;
    QMenu* m_ifExistsMenu = nullptr;
    QMenu* m_metadataMenu = nullptr;
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
