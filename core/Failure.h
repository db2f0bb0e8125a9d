#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <exception>

namespace orvalin {

// An unexpected failure inside a step of a guarded procedure. Its description is the text the
// failure report shows, so it says what went wrong in the user's terms.
class Failure : public std::exception
{
public:
    explicit Failure(QString description)
        : m_description(std::move(description)), m_utf8(m_description.toUtf8())
    {
    }

    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
};

// Descriptions for the failures the program raises itself.
namespace FailureText {
inline QString InvalidArgument()
{
    return QCoreApplication::translate("FailureReport", "Invalid procedure call or argument");
}
inline QString FileNotFound()
{
    return QCoreApplication::translate("FailureReport", "File not found");
}
inline QString InvalidPicture()
{
    return QCoreApplication::translate("FailureReport", "Invalid picture");
}
inline QString OutOfMemory()
{
    return QCoreApplication::translate("FailureReport", "Out of memory");
}
inline QString Unknown()
{
    return QCoreApplication::translate("FailureReport", "Unexpected error");
}
} // namespace FailureText

// The description of the exception being handled; call it only inside a catch block.
QString describeCurrentException();

} // namespace orvalin
