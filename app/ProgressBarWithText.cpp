#include "app/ProgressBarWithText.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace orvalin {

namespace {

constexpr std::chrono::milliseconds FrameLength(16);

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
    ++m_paintings;
}

// Shows the changes now when the last painting is a frame old, otherwise when it will be.
void ProgressBarWithText::showChanges()
{
    if (m_nextFrame.isActive())
        return;
    const auto sincePainted = std::chrono::milliseconds(
        m_sincePainted.isValid() ? m_sincePainted.elapsed() : FrameLength.count());
    if (sincePainted >= FrameLength)
        present();
    else
        m_nextFrame.start(FrameLength - sincePainted);
}

void ProgressBarWithText::present()
{
    const double shown =
        std::clamp(std::nearbyint(m_exactValue), double(minimum()), double(maximum()));
    // QProgressBar paints at once when its value moves far enough; otherwise the text may still
    // have changed.
    const int paintingsBefore = m_paintings;
    setValue(int(shown));
    if (m_paintings == paintingsBefore)
        update();
    // Screen readers read the text as the bar's name; it changes with the screen, so they are
    // told of a change at most once a frame too.
    if (accessibleName() != m_text)
        setAccessibleName(m_text);
}

} // namespace orvalin
