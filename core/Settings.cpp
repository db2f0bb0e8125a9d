#include "core/Settings.h"

#include "core/Failure.h"
#include "core/Startup.h"

#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <cmath>
#include <limits>
#include <optional>

namespace orvalin {

namespace {

const QString TypeMismatch = QStringLiteral("Type mismatch");

// Numbers as the store holds them: decimal, with an optional sign and fraction, blanks around.
std::optional<double> numberFromText(const QString& text)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

} // namespace

std::unique_ptr<SettingsStore> SettingsStore::forCurrentUser()
{
#ifdef Q_OS_WIN
    // The maker's key itself, so the settings land in HKCU\Software\Kestrune\Orvalin; by maker
    // name alone Qt would file them under an "OrganizationDefaults" key.
    return std::unique_ptr<SettingsStore>(new SettingsStore(std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + MakerName, QSettings::NativeFormat)));
#else
    return std::unique_ptr<SettingsStore>(new SettingsStore(
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, MakerName)));
#endif
}

SettingsStore::SettingsStore(const QString& file)
    : SettingsStore(std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

SettingsStore::SettingsStore(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings))
{
    m_settings->beginGroup(ProductName);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& key, const QString& defaultText) const
{
    if (!m_settings->contains(key))
        return defaultText;
    const QVariant value = m_settings->value(key);
    // An INI line edited by hand with an unquoted comma reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::write(const QString& key, const QString& text)
{
    // The same text again costs no disk write: reactions may run twice for one change.
    if (m_settings->contains(key) && read(key, QString()) == text)
        return;
    m_settings->setValue(key, text);
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError || m_writeFailureTold)
        return;
    m_writeFailureTold = true;
    if (m_onWriteFailure)
        m_onWriteFailure(location());
}

void SettingsStore::setWriteFailureHandler(std::function<void(const QString&)> handler)
{
    m_onWriteFailure = std::move(handler);
}

QString SettingsStore::location() const
{
    return m_settings->fileName();
}

bool SwitchFromText(const QString& text)
{
    const QString word = text.trimmed();
    if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> number = numberFromText(text))
        return *number != 0;
    throw Failure(TypeMismatch);
}

int WholeNumberFromText(const QString& text)
{
    const std::optional<double> number = numberFromText(text);
    if (!number)
        throw Failure(TypeMismatch);
    const double rounded = std::nearbyint(*number); // the default rounding: half to even
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        throw Failure(QStringLiteral("Overflow"));
    return int(rounded);
}

} // namespace orvalin
