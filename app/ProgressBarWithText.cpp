#include "app/ProgressBarWithText.h"

#include <algorithm>
#include <cmath>

namespace orvalin {

ProgressBarWithText::ProgressBarWithText(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    setValue(0);
}

QString ProgressBarWithText::text() const
{
    return m_text;
}

void ProgressBarWithText::setText(const QString& text)
{
    m_text = text;
    update();
}

void ProgressBarWithText::setExactValue(double value)
{
    m_exactValue = value;
    const double shown = std::clamp(std::nearbyint(value), double(minimum()), double(maximum()));
    setValue(int(shown));
}

} // namespace orvalin
