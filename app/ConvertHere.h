#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>

namespace orvalin {

class Form1;

// "Convert to JPG" from a file manager: the paths of a --convert-here start, and those of the
// starts that follow it closely (a file manager may start the program once for each file
// selected), join one window's list and convert in one run, each result beside its source.
class ConvertHere : public QObject
{
public:
    // quiet: how long after the last paths came the run begins; longest: the longest the
    // gathering lasts from its first paths, however many starts follow.
    explicit ConvertHere(Form1& window,
                         std::chrono::milliseconds quiet = std::chrono::milliseconds(700),
                         std::chrono::milliseconds longest = std::chrono::seconds(5));

    // Paths join the list; the run begins once none have come for the quiet time.
    void gather(const QStringList& paths);

    // Called once the gathering ends, just before the run begins: later starts are to be
    // taken no more.
    void setGatheringEnded(std::function<void()> ended) { m_ended = std::move(ended); }

    bool gathering() const { return m_gathering; }

private:
    void begin();

    Form1& m_window;
    const std::chrono::milliseconds m_longest;
    QTimer m_quiet;
    QElapsedTimer m_sinceFirst;
    std::function<void()> m_ended;
    bool m_gathering = true;
};

} // namespace orvalin
