#pragma once

#include "core/Platform.h"

#include <memory>

namespace orvalin {

// The desktop's own taskbar. On Windows through ITaskbarList3 on the window's button; on
// Linux through the launcher entry signal (com.canonical.Unity.LauncherEntry) on the session
// bus, which KDE Plasma's task manager and GNOME's docks show on the program's entry.
// Requesting attention is QApplication::alert on both.
class QtTaskbar : public Taskbar
{
public:
    QtTaskbar();
    ~QtTaskbar() override;

    void showProgress(QWidget* window, double share) override;
    void clearProgress(QWidget* window) override;
    void requestAttention(QWidget* window) override;

private:
    struct Native;
    std::unique_ptr<Native> m_native;
    int m_shownPercent = -1; // the share last shown, in whole percent; -1 when none is
};

// The application URI the launcher entry signal names: the program's menu entry.
inline constexpr const char* LauncherEntryUri = "application://com.kestrune.Orvalin.desktop";

} // namespace orvalin
