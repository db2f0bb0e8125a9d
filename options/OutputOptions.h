#pragma once

#include <QString>

class QSlider;

namespace orvalin {

inline const QString QualityFrameDesignCaption = QStringLiteral("JPG Image Quality");
inline const QString SaveOptionFrameCaption = QStringLiteral("Save Option");
inline const QString SaveToFolderCaption = QStringLiteral("Save results to this folder:");
inline const QString SaveBesideSourceCaption =
    QStringLiteral("Save results in folder of original file");
inline const QString BrowseButtonCaption = QStringLiteral("...");

inline constexpr int MinimumQuality = 1;
inline constexpr int MaximumQuality = 100;
inline constexpr int DesignQuality = 85;

// The quality slider's design state: 1 to 100 in steps of 1 and 5, a tick at every value.
void setUpQualitySlider(QSlider& slider);

// "Output JPG image quality: 85%".
QString QualityCaption(int quality);

} // namespace orvalin
