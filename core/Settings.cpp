#include "core/Settings.h"

#include "core/Failure.h"
#include "core/Startup.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace orvalin {

namespace {

QString typeMismatch()
{
    return QCoreApplication::translate("FailureReport", "Type mismatch");
}

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

bool SettingsStore::contains(const QString& key) const
{
    return m_settings->contains(key);
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
    throw Failure(typeMismatch());
}

int WholeNumberFromText(const QString& text)
{
    const std::optional<double> number = numberFromText(text);
    if (!number)
        throw Failure(typeMismatch());
    const double rounded = std::nearbyint(*number); // the default rounding: half to even
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        throw Failure(QCoreApplication::translate("FailureReport", "Overflow"));
    return int(rounded);
}

namespace {

// A value named by one of its words, in any letter case: the words in the order of the values.
template <typename T, std::size_t N>
T namedValue(const QString& text, const std::array<QLatin1StringView, N>& words)
{
    for (std::size_t i = 0; i < N; ++i)
        if (text.trimmed().compare(words[i], Qt::CaseInsensitive) == 0)
            return T(i);
    throw Failure(typeMismatch());
}

constexpr std::array<QLatin1StringView, 3> IfExistsWords{
    QLatin1StringView("Replace"), QLatin1StringView("KeepBoth"), QLatin1StringView("Skip")};
constexpr std::array<QLatin1StringView, 3> MetadataWords{QLatin1StringView("All"),
                                                         QLatin1StringView("NoLocation"),
                                                         QLatin1StringView("ColourAndOrientation")};

std::uint32_t fitWithinFromText(const QString& text)
{
    bool ok = false;
    const uint fit = text.trimmed().toUInt(&ok);
    if (!ok || !protocol::choicesValid(protocol::QualityMin, 0, fit))
        throw Failure(typeMismatch());
    return fit;
}

} // namespace

namespace SettingKinds {
const SettingKind<QString> Text{[](const QString& text) { return text; },
                                [](const QString& text) { return text; }};
const SettingKind<bool> Switch{SwitchFromText, [](const bool& on) { return SwitchText(on); }};
const SettingKind<int> WholeNumber{WholeNumberFromText,
                                   [](const int& number) { return QString::number(number); }};
const SettingKind<IfExists> IfExistsChoice{
    [](const QString& text) { return namedValue<IfExists>(text, IfExistsWords); },
    [](const IfExists& choice) { return QString(IfExistsWords.at(std::size_t(choice))); }};
const SettingKind<MetadataKept> MetadataChoice{
    [](const QString& text) { return namedValue<MetadataKept>(text, MetadataWords); },
    [](const MetadataKept& kept) { return QString(MetadataWords.at(std::size_t(kept))); }};
const SettingKind<std::uint32_t> FitWithin{
    fitWithinFromText, [](const std::uint32_t& fit) { return QString::number(fit); }};
} // namespace SettingKinds

OutputChoices StoredOutputChoices(const SettingsStore& settings)
{
    return {settings.value(Stored::IfExistsChoice), settings.value(Stored::KeepSubfolders),
            settings.value(Stored::KeepDates), settings.value(Stored::Metadata),
            settings.value(Stored::FitWithin)};
}

void StoreOutputChoices(SettingsStore& settings, const OutputChoices& choices)
{
    settings.setValue(Stored::IfExistsChoice, choices.ifExists);
    settings.setValue(Stored::KeepSubfolders, choices.keepSubfolders);
    settings.setValue(Stored::KeepDates, choices.keepDates);
    settings.setValue(Stored::Metadata, choices.metadata);
    settings.setValue(Stored::FitWithin, choices.fitWithin);
}

} // namespace orvalin
