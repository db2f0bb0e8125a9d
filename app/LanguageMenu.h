#pragma once

#include "app/Translations.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include <map>

class QAction;
class QActionGroup;
class QMenu;

namespace orvalin {

class SettingsStore;

inline QString LanguageMenuText()
{
    return QCoreApplication::translate("LanguageMenu", "&Language");
}
inline QString SystemLanguageText()
{
    return QCoreApplication::translate("LanguageMenu", "The System's &Language");
}

// Options ▸ Language: the system's language, or one chosen from those the program speaks, each
// named in itself. The choice is stored as "Language" (empty for the system's) and takes effect
// at once.
class LanguageMenu
{
public:
    // Adds the submenu to the menu.
    LanguageMenu(QMenu& menu, SettingsStore& settings, Translations& translations);
    ~LanguageMenu();

    // Uses the stored language and checks its item.
    void restore();

    void retranslate();

private:
    void choose(const QString& code);

    SettingsStore& m_settings;
    Translations& m_translations;
    QObject m_reactions;
    QMenu* m_menu = nullptr;
    QActionGroup* m_group = nullptr;
    std::map<QString, QAction*> m_items; // by code; the system's under an empty code
};

} // namespace orvalin
