#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvalin {

bool IsSpokenLanguage(const QString& code)
{
    for (const Language& language : Languages)
        if (code == QLatin1String(language.code))
            return true;
    return false;
}

QString Translations::systemLanguage()
{
    // "pt-BR" as the system lists it is "pt_BR" here; a language the program speaks in one
    // country only ("pt", "zh") is taken for that country's.
    for (QString wanted : QLocale::system().uiLanguages()) {
        wanted.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (IsSpokenLanguage(wanted))
            return wanted;
        const QString base = wanted.section(QLatin1Char('_'), 0, 0);
        if (IsSpokenLanguage(base))
            return base;
        for (const Language& language : Languages)
            if (QString::fromLatin1(language.code).section(QLatin1Char('_'), 0, 0) == base)
                return QString::fromLatin1(language.code);
    }
    return QStringLiteral("en");
}

Translations::Translations() = default;

Translations::~Translations()
{
    for (const auto& translator : {m_own.get(), m_qt.get()})
        if (translator)
            QCoreApplication::removeTranslator(translator);
}

void Translations::use(const QString& code)
{
    const QString language = IsSpokenLanguage(code) ? code : systemLanguage();
    for (std::unique_ptr<QTranslator>* translator : {&m_own, &m_qt}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
    m_current = language;
    if (language == QLatin1String("en")) {
        // Nothing is installed: the removals above have told every window already.
        return;
    }
    m_qt = std::make_unique<QTranslator>();
    if (m_qt->load(QStringLiteral("qtbase_") + language,
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qt.get());
    m_own = std::make_unique<QTranslator>();
    if (m_own->load(QStringLiteral(":/translations/orvalin_") + language))
        QCoreApplication::installTranslator(m_own.get());
}

} // namespace orvalin
