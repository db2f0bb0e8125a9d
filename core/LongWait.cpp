#include "core/LongWait.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace orvalin {

namespace {

qint32 roundHalfToEven(double value)
{
    return qint32(std::nearbyint(value));
}

} // namespace

WaitProgress waitProgress(qint32 currentValue, qint32 count)
{
    const qint32 step = roundHalfToEven(100.0 / count / 10.0);
    return {step, roundHalfToEven(100.0 / count + currentValue - step)};
}

LongWait::LongWait(ProgressDisplay& bar, qint32 count)
    : m_bar(bar), m_baseText(bar.progressText()),
      m_currentValue(roundHalfToEven(bar.progressValue())), m_count(std::max(1, count))
{
}

void LongWait::showPass(int pass)
{
    if (pass < 50)
        return;
    const int waited = pass - 50;
    m_bar.setProgressText(
        m_baseText + (m_baseText.isEmpty() ? QString() : QStringLiteral(", "))
        + QCoreApplication::translate("ConversionRun", "Please wait.. %1").arg(waited));
    if (waited % 150 != 0)
        return;
    const WaitProgress progress = waitProgress(m_currentValue, m_count);
    const double value = double(waited) / 150.0 * progress.step + m_currentValue;
    m_bar.setProgressValue(value >= progress.limit ? double(progress.limit) : value);
}

void LongWait::end()
{
    m_bar.setProgressText(m_baseText.isEmpty() ? ProgressBarIdleText() : m_baseText);
}

} // namespace orvalin
