#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;

namespace orvalin {

// One window for each user: a later start hands its paths to the window already open, over a
// local socket that only this user may reach.
class SingleInstance
{
public:
    // The socket's name: in the user's runtime folder when there is one that the user owns and
    // may write, otherwise in the temporary folder under the user's number.
    static QString DefaultName();

    explicit SingleInstance(QString name = DefaultName());
    ~SingleInstance();

    // Hands the paths (perhaps none) to the window already open; true when it has taken them.
    // A listener of another user's is sent nothing.
    bool handOver(const QStringList& paths) const;

    // Takes the paths of later starts from now on. A socket left by a program that was killed
    // replaces nothing and is cleared away; false when another window listens already, another
    // user holds the name, or the socket cannot be made.
    bool listen(std::function<void(const QStringList& paths)> receive);

    // Takes no more paths: later starts find no window to hand theirs to.
    void stopListening();

private:
    void takeConnection();

    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void(const QStringList&)> m_receive;
    std::shared_ptr<void> m_claim; // Windows: the name's mutex, held while listening
};

} // namespace orvalin
