#include "app/QtTaskbar.h"

#include <QApplication>
#include <QWidget>

#include <cmath>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shobjidl.h>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#endif

namespace orvalin {

#ifdef Q_OS_WIN

// The shell's taskbar object, made when first needed and asked for once: none when the shell
// has none or it does not start (COM not set up on this thread, as on Qt's offscreen platform).
// What its calls return is left alone: a shell that does nothing with them (Wine's) costs the
// run nothing.
struct QtTaskbar::Native
{
    ITaskbarList3* list = nullptr;
    bool asked = false;

    ITaskbarList3* taskbar()
    {
        if (std::exchange(asked, true))
            return list;
        void* made = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_ITaskbarList3, &made))
            || !made)
            return nullptr;
        list = static_cast<ITaskbarList3*>(made);
        if (FAILED(list->HrInit())) {
            list->Release();
            list = nullptr;
        }
        return list;
    }
    ~Native()
    {
        if (list)
            list->Release();
    }
};

void QtTaskbar::showProgress(QWidget* window, double share)
{
    const int percent = int(std::lround(share * 100));
    if (percent == m_shownPercent)
        return;
    ITaskbarList3* taskbar = m_native->taskbar();
    if (!taskbar)
        return;
    const auto button = reinterpret_cast<HWND>(window->winId());
    if (m_shownPercent < 0)
        taskbar->SetProgressState(button, TBPF_NORMAL);
    taskbar->SetProgressValue(button, ULONGLONG(percent), 100);
    m_shownPercent = percent;
}

void QtTaskbar::clearProgress(QWidget* window)
{
    m_shownPercent = -1;
    if (ITaskbarList3* taskbar = m_native->taskbar())
        taskbar->SetProgressState(reinterpret_cast<HWND>(window->winId()), TBPF_NOPROGRESS);
}

#else

struct QtTaskbar::Native
{
    // Sends the launcher entry's properties; nothing when there is no session bus.
    static void update(const QVariantMap& properties)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/com/kestrune/Orvalin"),
            QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
        signal << QString::fromLatin1(LauncherEntryUri) << properties;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected())
            bus.send(signal);
    }
};

void QtTaskbar::showProgress(QWidget*, double share)
{
    const int percent = int(std::lround(share * 100));
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    Native::update({{QStringLiteral("progress"), double(percent) / 100.0},
                    {QStringLiteral("progress-visible"), true}});
}

void QtTaskbar::clearProgress(QWidget*)
{
    m_shownPercent = -1;
    Native::update(
        {{QStringLiteral("progress"), 0.0}, {QStringLiteral("progress-visible"), false}});
}

#endif

QtTaskbar::QtTaskbar() : m_native(std::make_unique<Native>()) {}

QtTaskbar::~QtTaskbar() = default;

void QtTaskbar::requestAttention(QWidget* window)
{
    QApplication::alert(window);
}

} // namespace orvalin
