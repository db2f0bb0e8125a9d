#include "OutputOptions.h"

#include <QSlider>

namespace orvalin {

void setUpQualitySlider(QSlider& slider)
{
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(MinimumQuality, MaximumQuality);
    slider.setSingleStep(1);
    slider.setPageStep(5);
    slider.setTickPosition(QSlider::TicksBelow);
    slider.setTickInterval(1);
    slider.setValue(DesignQuality);
}

QString QualityCaption(int quality)
{
    return QStringLiteral("Output JPG image quality: ") + QString::number(quality)
           + QLatin1Char('%');
}

} // namespace orvalin
