#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace orvalin {

enum class PointerKind;

// Program folder + this: a Qt style sheet that dresses the window when it is there.
inline const QString SkinFileTail = QStringLiteral("x/o.cjs");
// A skin larger than this is no style sheet.
inline constexpr qint64 MaxSkinFileSize = 4 * 1024 * 1024;

// Dresses the window in the skin of the program folder, if it has one as a plain file: the
// window and the given frames and option buttons take the system's face colour, and the style
// sheet is applied. Without the file nothing of a skin is used. Throws Failure when the file
// cannot be read; the colours set before then stay.
void SetUpSkin(QWidget& window, const QList<QWidget*>& faceColoured, const QString& programFolder);

// The pointer reactions: over a push button the window shows the hand, over its surface, a
// frame or the list the arrow; never while it is busy.
PointerKind PointerOverButton(PointerKind current);
PointerKind PointerOverSurface(PointerKind current);

} // namespace orvalin
