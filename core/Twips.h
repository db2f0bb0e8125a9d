#pragma once

#include <QRect>
#include <QtMath>

namespace orvalin {

// Layout sizes are given in twips, 1/1440 inch: 15 twips a pixel at 96 dots per inch.
inline int twipsToPixels(int twips, qreal dotsPerInch)
{
    return qRound(twips * dotsPerInch / 1440.0);
}

inline QRect twipsToRect(int left, int top, int width, int height, qreal dpiX, qreal dpiY)
{
    return {twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
            twipsToPixels(height, dpiY)};
}

} // namespace orvalin
