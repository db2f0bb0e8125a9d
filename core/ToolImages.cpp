#include "core/ToolImages.h"

#include "core/Failure.h"
#include "core/PathHelpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>

namespace orvalin {

namespace {

QString workerBuiltFor(const QString& width)
{
    return QStringLiteral(":/tools/%1/").arg(width) + WorkerFileName;
}

} // namespace

QString WorkerImageFor(const QString& addressWidth)
{
    const QString wanted =
        workerBuiltFor(addressWidth == QLatin1String("64") ? addressWidth : QStringLiteral("32"));
    // A build carries the worker of its own width only, while the width asked for follows the
    // running kernel: a 32-bit build on a 64-bit kernel, or a 32-bit personality, still runs
    // the worker it carries.
    return QFile::exists(wanted) ? wanted : workerBuiltFor(QString::number(QSysInfo::WordSize));
}

QByteArray LoadToolImage(const QString& resource)
{
    QFile image(resource);
    if (!image.open(QIODevice::ReadOnly))
        throw Failure(
            QCoreApplication::translate("FailureReport", "Resource not found: %1").arg(resource));
    return image.readAll();
}

QString AddressWidthForArchitecture(const QString& cpuArchitecture)
{
    if (cpuArchitecture.isEmpty() || cpuArchitecture == QLatin1String("unknown"))
        return QString();
    static const QStringList wide{
        QStringLiteral("x86_64"),  QStringLiteral("arm64"),  QStringLiteral("ia64"),
        QStringLiteral("power64"), QStringLiteral("mips64"), QStringLiteral("sparcv9"),
        QStringLiteral("riscv64"), QStringLiteral("s390x"),  QStringLiteral("loongarch64")};
    return wide.contains(cpuArchitecture) ? QStringLiteral("64") : QStringLiteral("32");
}

QString GetAddressWidth()
{
    return AddressWidthForArchitecture(QSysInfo::currentCpuArchitecture());
}

void WriteBytesIfAbsent(const QByteArray& bytes, const QString& target)
{
    if (PathExists(target) || IsFolder(target).has_value())
        return;
    QFile file(target);
    // NewOnly: never writes through a name that appeared since the test above.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        throw Failure(file.errorString());
    const bool whole = file.write(bytes) == bytes.size() && file.flush();
    const QString reason = file.errorString();
    file.close();
    if (!whole || file.error() != QFileDevice::NoError) {
        file.remove();
        throw Failure(reason.isEmpty() ? QCoreApplication::translate("FailureReport", "Disk full")
                                       : reason);
    }
}

} // namespace orvalin
