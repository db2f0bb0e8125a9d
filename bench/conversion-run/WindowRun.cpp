#include "bench/conversion-run/WindowRun.h"

#include "app/Form1.h"
#include "core/ConversionRun.h"
#include "core/Platform.h"
#include "core/Settings.h"
#include "filelist/FileListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include <optional>
#include <sys/resource.h>

namespace orvalin::bench {

namespace {

// Message boxes that never block: each is kept, and answered with its first button.
class KeptMessages : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const MessageRequest& request) override
    {
        shown.append(request.text);
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    QStringList shown;
};

template <typename Control>
Control& controlOf(QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        qFatal("the window has no control %s", name);
    return *found;
}

// Counts the paint events each widget of the application receives, by its object name (or its
// class when it has none), and the window's repaints as a whole (its update requests).
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(std::map<QString, int>& counts) : m_counts(counts)
    {
        qApp->installEventFilter(this);
    }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_counts[nameOf(watched)];
        else if (event->type() == QEvent::UpdateRequest)
            ++m_counts[QStringLiteral("(repaints of the window)")];
        return false;
    }

private:
    static QString nameOf(const QObject* object)
    {
        QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            name = QString::fromLatin1(object->metaObject()->className()) + QStringLiteral(" in ")
                   + (object->parent() ? nameOf(object->parent()) : QStringLiteral("-"));
        return name;
    }

    std::map<QString, int>& m_counts;
};

// Holds back the window's repaints so that they come at most once per interval: a repaint asked
// for sooner is put off to the interval's end (Qt asks for no other repaint meanwhile). It shows
// what a run whose progress were drawn less often would gain.
class SparseRepaints : public QObject
{
public:
    SparseRepaints(QWidget& window, std::chrono::milliseconds interval)
        : m_window(window), m_interval(interval)
    {
        m_sinceRepaint.start();
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_window || event->type() != QEvent::UpdateRequest)
            return false;
        const auto waited = std::chrono::milliseconds(m_sinceRepaint.elapsed());
        if (waited >= m_interval) {
            m_sinceRepaint.restart();
            return false;
        }
        if (!m_putOff) {
            m_putOff = true;
            QTimer::singleShot(m_interval - waited, &m_window, [this] {
                m_putOff = false;
                QCoreApplication::postEvent(&m_window, new QEvent(QEvent::UpdateRequest),
                                            Qt::LowEventPriority);
            });
        }
        return true;
    }

private:
    QWidget& m_window;
    std::chrono::milliseconds m_interval;
    QElapsedTimer m_sinceRepaint;
    bool m_putOff = false;
};

} // namespace

WindowRun runWindow(const QStringList& files, int quality, const QString& output, Scratch& scratch,
                    const WindowSetup& setup)
{
    const QString home = scratch.fresh(QStringLiteral("window-home"));
    KeptMessages messages;
    NoFileDialogs dialogs;
    NoShell shell;
    SettingsStore settings(home + QStringLiteral("/settings.conf"));
    Form1 window(
        {{messages, dialogs, shell}, settings, home, [home] { return home + QLatin1Char('/'); }});
    window.Form_Load();
    if (setup.shown)
        window.show();
    std::optional<SparseRepaints> sparse;
    if (setup.repaintInterval.count() > 0)
        sparse.emplace(window, setup.repaintInterval);
    controlOf<QRadioButton>(window, "Option1").click();
    controlOf<QLineEdit>(window, "Text1").setText(output);
    controlOf<QSlider>(window, "Slider1").setValue(quality);
    window.fileList().addRows(files);
    window.conversionRun().setJobs(setup.jobs);
    QCoreApplication::processEvents();

    WindowRun run;
    window.conversionRun().setPassObserver([&run](int) { ++run.passes; });
    QEventLoop untilEnded;
    QObject::connect(&window.conversionRun(), &ConversionRun::ended, &untilEnded,
                     &QEventLoop::quit);
    std::optional<MemorySampler> sampler;
    if (setup.sampleMemory)
        sampler.emplace(std::chrono::microseconds(500), setup.sampledFolder);
    std::optional<PaintCounter> paints;
    if (setup.countPaints)
        paints.emplace(run.paints);
    const double threadBefore = cpuSecondsOf(RUSAGE_THREAD);
    QElapsedTimer timer;
    timer.start();
    controlOf<QPushButton>(window, "PushButton2").click();
    if (window.conversionRun().IsConverting())
        untilEnded.exec();
    run.timing.seconds = secondsOf(timer);
    run.timing.mainThreadSeconds = cpuSecondsOf(RUSAGE_THREAD) - threadBefore;
    paints.reset();
    if (sampler)
        run.memory = sampler->stop();
    run.jpgs = countJpgs(output);
    run.message = messages.shown.join(QLatin1Char('\n'));
    run.timing.ok = run.jpgs == files.size() && run.message == QLatin1String("Done.");
    return run;
}

} // namespace orvalin::bench
