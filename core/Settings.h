#pragma once

#include <QString>

#include <functional>
#include <memory>

class QSettings;

namespace orvalin {

// Every stored setting, declared once: its key and the text read when nothing is stored.
// The output folder's default is the desktop folder, worked out by its reader.
namespace SettingKey {
inline const QString OutputFolder = QStringLiteral("Text1");
inline const QString SaveToFolder = QStringLiteral("Option1");
inline const QString SaveBesideSource = QStringLiteral("Option2");
inline const QString Quality = QStringLiteral("Slider1");
inline const QString LastScannedFolder = QStringLiteral("LastFolder");
inline const QString LastOutputFolder = QStringLiteral("LastFolderDot");
} // namespace SettingKey

namespace SettingDefault {
inline const QString SaveToFolder = QStringLiteral("1");
inline const QString SaveBesideSource = QStringLiteral("0");
inline const QString Quality = QStringLiteral("100");
inline const QString LastFolder = QString();
} // namespace SettingDefault

// The user's settings: text values under one application name and one section, each read
// with a default and each written to disk at once.
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

} // namespace orvalin
