#include "app/LanguageMenu.h"

#include "core/Settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace orvalin {

LanguageMenu::LanguageMenu(QMenu& menu, SettingsStore& settings, Translations& translations)
    : m_settings(settings), m_translations(translations)
{
    m_menu = menu.addMenu(QString());
    m_group = new QActionGroup(m_menu);
    const auto add = [this](const QString& code, const QString& text) {
        QAction* item = m_menu->addAction(text);
        item->setCheckable(true);
        m_group->addAction(item);
        m_items[code] = item;
        QObject::connect(item, &QAction::triggered, &m_reactions, [this, code] { choose(code); });
    };
    add(QString(), QString());
    m_menu->addSeparator();
    for (const Language& language : Languages)
        add(QString::fromLatin1(language.code), QString::fromUtf8(language.nativeName));
    m_items.at(QString())->setChecked(true);
    retranslate();
}

LanguageMenu::~LanguageMenu() = default;

void LanguageMenu::restore()
{
    const QString stored = m_settings.value(Stored::Language);
    const QString code = IsSpokenLanguage(stored) ? stored : QString();
    m_items.at(code)->setChecked(true);
    m_translations.use(code);
}

void LanguageMenu::retranslate()
{
    m_menu->setTitle(LanguageMenuText());
    m_items.at(QString())->setText(SystemLanguageText());
}

void LanguageMenu::choose(const QString& code)
{
    m_settings.setValue(Stored::Language, code);
    m_translations.use(code);
}

} // namespace orvalin
