#include "app/ProgressBarWithText.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace orvalin {

namespace {

// Every other frame of a 60 Hz screen: the eye follows a bar and reads a file name no faster,
// and each painting of the bar costs the run's workers, on a machine they keep busy, as much as
// the window's thread spends on a file (bench/README.md).
constexpr std::chrono::milliseconds FrameLength(33);

} // namespace

ProgressBarWithText::ProgressBarWithText(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    setValue(0);
    m_nextFrame.setSingleShot(true);
    connect(&m_nextFrame, &QTimer::timeout, this, &ProgressBarWithText::present);
}

QString ProgressBarWithText::text() const
{
    return m_text;
}

void ProgressBarWithText::setText(const QString& text)
{
    m_text = text;
    showChanges();
}

void ProgressBarWithText::setExactValue(double value)
{
    m_exactValue = value;
    showChanges();
}

void ProgressBarWithText::paintEvent(QPaintEvent* event)
{
    QProgressBar::paintEvent(event);
    m_sincePainted.start();
}

// Shows the changes once the caller has returned to the event loop, and a frame after the
// last painting: never in the middle of the caller's work.
void ProgressBarWithText::showChanges()
{
    if (!isVisible()) // nothing is painted: its value and name are up to date at once
        return present();
    if (m_nextFrame.isActive())
        return;
    const auto sincePainted = std::chrono::milliseconds(
        m_sincePainted.isValid() ? m_sincePainted.elapsed() : FrameLength.count());
    m_nextFrame.start(std::max(std::chrono::milliseconds(0), FrameLength - sincePainted));
}

void ProgressBarWithText::present()
{
    const double shown =
        std::clamp(std::nearbyint(m_exactValue), double(minimum()), double(maximum()));
    // QProgressBar repaints at once when its value moves far enough, in the middle of whatever
    // set it; with updates held back the painting waits for the window's next repaint, which
    // paints the text with it.
    setUpdatesEnabled(false);
    setValue(int(shown));
    setUpdatesEnabled(true); // asks for that repaint
    // Screen readers read the text as the bar's name; it changes with the screen, so they are
    // told of a change at most as often.
    if (accessibleName() != m_text)
        setAccessibleName(m_text);
}

} // namespace orvalin
