#pragma once

#include "core/Failure.h"
#include "core/OutputChoices.h"

#include <QString>

#include <functional>
#include <memory>

class QSettings;

namespace orvalin {

// The user's settings: text values under one application name and one section, each read
// with a default and each written to disk at once.
template <typename T>
struct StoredSetting;

class SettingsStore
{
public:
    // The platform's native store for the current user (a file in the user's configuration
    // folder on Linux, the registry on Windows).
    static std::unique_ptr<SettingsStore> forCurrentUser();
    // A store kept in the given file, in the same format the native store uses on Linux.
    explicit SettingsStore(const QString& file);
    ~SettingsStore();

    // The stored text, or the default when the key has never been written. An empty stored
    // text is a value like any other.
    QString read(const QString& key, const QString& defaultText) const;

    // Stores the text and puts it on disk before returning. A store that cannot be written
    // keeps the value for this run; the first such failure calls the write-failure handler.
    void write(const QString& key, const QString& text);

    // Called once, at the first write that did not reach the disk, with the store's location.
    void setWriteFailureHandler(std::function<void(const QString& location)> handler);

    QString location() const;

    bool contains(const QString& key) const;

    // A setting of the table below, read and written as its kind says.
    template <typename T>
    T value(const StoredSetting<T>& setting) const;
    template <typename T>
    T value(const StoredSetting<T>& setting, const T& fallback) const;
    template <typename T>
    void setValue(const StoredSetting<T>& setting, const T& value);

private:
    explicit SettingsStore(std::unique_ptr<QSettings> settings);

    std::unique_ptr<QSettings> m_settings;
    std::function<void(const QString&)> m_onWriteFailure;
    bool m_writeFailureTold = false;
};

// A switch as stored: True or False in any letter case, or a number that is on unless zero.
// Throws Failure ("Type mismatch") for anything else.
bool SwitchFromText(const QString& text);

// A whole number as stored: a number, rounded half to even. Throws Failure ("Type mismatch")
// for a text that is not a number, ("Overflow") for one too large.
int WholeNumberFromText(const QString& text);

inline QString SwitchText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

// How a setting's stored text becomes its value and back. fromText throws Failure for a text
// that holds no such value.
template <typename T>
struct SettingKind
{
    T (*fromText)(const QString& text);
    QString (*toText)(const T& value);
};

// One stored setting: its key, its value when nothing is stored, how its text is read and
// written, and what an unreadable text means: the default, with no message, or a failure that
// its reader reports (the window's own options, whose load step names it).
template <typename T>
struct StoredSetting
{
    QString key;
    T defaultValue;
    SettingKind<T> kind;
    bool unreadableIsDefault;
};

namespace SettingKinds {
extern const SettingKind<QString> Text;
extern const SettingKind<bool> Switch;
extern const SettingKind<int> WholeNumber;
extern const SettingKind<IfExists> IfExistsChoice;
extern const SettingKind<MetadataKept> MetadataChoice;
extern const SettingKind<std::uint32_t> FitWithin;
} // namespace SettingKinds

// Every stored setting, declared once.
namespace Stored {
// The output folder; its default, the desktop folder, is worked out by its reader.
inline const StoredSetting<QString> OutputFolder{QStringLiteral("Text1"), QString(),
                                                 SettingKinds::Text, false};
inline const StoredSetting<bool> SaveToFolder{QStringLiteral("Option1"), true, SettingKinds::Switch,
                                              false};
inline const StoredSetting<bool> SaveBesideSource{QStringLiteral("Option2"), false,
                                                  SettingKinds::Switch, false};
inline const StoredSetting<int> Quality{QStringLiteral("Slider1"), 100, SettingKinds::WholeNumber,
                                        false};
inline const StoredSetting<QString> LastScannedFolder{QStringLiteral("LastFolder"), QString(),
                                                      SettingKinds::Text, false};
inline const StoredSetting<QString> LastOutputFolder{QStringLiteral("LastFolderDot"), QString(),
                                                     SettingKinds::Text, false};
inline const StoredSetting<IfExists> IfExistsChoice{QStringLiteral("IfExists"), IfExists::Replace,
                                                    SettingKinds::IfExistsChoice, true};
inline const StoredSetting<bool> KeepSubfolders{QStringLiteral("KeepSubfolders"), false,
                                                SettingKinds::Switch, true};
inline const StoredSetting<bool> KeepDates{QStringLiteral("KeepDates"), false, SettingKinds::Switch,
                                           true};
inline const StoredSetting<MetadataKept> Metadata{QStringLiteral("Metadata"), MetadataKept::All,
                                                  SettingKinds::MetadataChoice, true};
inline const StoredSetting<std::uint32_t> FitWithin{QStringLiteral("FitWithin"), 0,
                                                    SettingKinds::FitWithin, true};
// The language chosen in the Language menu; empty for the system's.
inline const StoredSetting<QString> Language{QStringLiteral("Language"), QString(),
                                             SettingKinds::Text, true};
} // namespace Stored

template <typename T>
T SettingsStore::value(const StoredSetting<T>& setting) const
{
    return value(setting, setting.defaultValue);
}

template <typename T>
T SettingsStore::value(const StoredSetting<T>& setting, const T& fallback) const
{
    if (!contains(setting.key))
        return fallback;
    const QString text = read(setting.key, QString());
    if (!setting.unreadableIsDefault)
        return setting.kind.fromText(text);
    try {
        return setting.kind.fromText(text);
    } catch (const Failure&) {
        return fallback;
    }
}

template <typename T>
void SettingsStore::setValue(const StoredSetting<T>& setting, const T& value)
{
    write(setting.key, setting.kind.toText(value));
}

// The Options menu's choices as stored.
OutputChoices StoredOutputChoices(const SettingsStore& settings);
void StoreOutputChoices(SettingsStore& settings, const OutputChoices& choices);

} // namespace orvalin
