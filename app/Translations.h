#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace orvalin {

// A language the program speaks: its code, as translation files are named, and its name in
// itself with its own mnemonic, as the Language menu shows it whatever language is in use.
struct Language
{
    const char* code;
    const char* nativeName;
};

// English, the program's own, then the translations it carries.
inline constexpr Language Languages[] = {
    {"en", "&English"},         {"de", "&Deutsch"},  {"fr", "&Français"},
    {"es", "E&spañol"},         {"it", "&Italiano"}, {"pt_BR", "Português (&Brasil)"},
    {"nl", "&Nederlands"},      {"pl", "P&olski"},   {"ru", "Русский (&R)"},
    {"uk", "Українська (&U)"},  {"tr", "&Türkçe"},   {"ja", "日本語 (&J)"},
    {"zh_CN", "简体中文 (&C)"},
};

// The program's texts and Qt's own (the message boxes' buttons, the file dialog) in one
// language at a time. Changing it sends every window a LanguageChange event, so what they show
// follows at once.
class Translations
{
public:
    Translations();
    ~Translations();

    // Uses the language of that code, or the system's for an empty code or one the program
    // does not speak.
    void use(const QString& code);

    // The code of the language in use.
    QString current() const { return m_current; }

    // The first of the system's languages the program speaks; English when it speaks none.
    static QString systemLanguage();

private:
    std::unique_ptr<QTranslator> m_own;
    std::unique_ptr<QTranslator> m_qt;
    QString m_current = QStringLiteral("en");
};

// Whether the program carries a translation of that code (English needs none).
bool IsSpokenLanguage(const QString& code);

} // namespace orvalin
