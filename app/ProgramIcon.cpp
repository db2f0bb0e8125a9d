#include "app/ProgramIcon.h"

#include "core/Failure.h"

#include <QPixmap>

namespace orvalin {

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {32, 48, 128, 256}) {
        const QPixmap image(QStringLiteral(":/icon/icon-%1.png").arg(size));
        if (image.isNull())
            throw Failure(FailureText::FileNotFound());
        icon.addPixmap(image);
    }
    return icon;
}

} // namespace orvalin
