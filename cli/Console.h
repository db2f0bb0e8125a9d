#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace orvalin {

// Writes text to standard output or standard error: as UTF-8, except to a Windows console,
// which is handed the characters themselves.
void WriteText(std::FILE* stream, const QString& text);

// The console's two streams, and the one progress line on standard error, which other lines clear
// before they are written and which is never written more than ten times a second.
class Console
{
public:
    // showProgress: the progress line is drawn; quiet: only errors are written.
    Console(bool showProgress, bool quiet);
    ~Console();

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    static bool errorIsTerminal();

    void output(const QString& line); // a line on standard output
    void error(const QString& line);  // a line on standard error, "orvalin-convert: " first
    void note(const QString& line);   // the same, left out when quiet

    // The progress line for `done` files of `total`, unless one was drawn less than 100 ms ago;
    // `force` draws it anyway.
    void showProgress(int done, int total, bool force = false);
    void clearProgress();

private:
    void write(std::FILE* stream, const QString& line);

    const bool m_showProgress;
    const bool m_quiet;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceDrawn;
    qsizetype m_progressLength = 0; // of the line on screen; 0 when none is
};

// "12 s", "4 min 05 s", "2 h 07 min": a time left as a person reads it.
QString DurationText(double seconds);

} // namespace orvalin
