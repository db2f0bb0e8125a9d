#include "cli/Console.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cmath>

namespace orvalin {

Console::Console(bool showProgress, bool quiet) : m_showProgress(showProgress), m_quiet(quiet)
{
    m_sinceStart.start();
#ifdef Q_OS_WIN
    m_savedCodePage = ::GetConsoleOutputCP();
    if (m_savedCodePage != 0)
        ::SetConsoleOutputCP(CP_UTF8);
#endif
}

Console::~Console()
{
    clearProgress();
#ifdef Q_OS_WIN
    if (m_savedCodePage != 0)
        ::SetConsoleOutputCP(m_savedCodePage);
#endif
}

bool Console::errorIsTerminal()
{
#ifdef Q_OS_WIN
    return ::_isatty(::_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

void Console::write(std::FILE* stream, const QString& line)
{
    clearProgress();
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void Console::output(const QString& line)
{
    write(stdout, line);
}

void Console::error(const QString& line)
{
    write(stderr, QStringLiteral("orvalin-convert: ") + line);
}

void Console::note(const QString& line)
{
    if (!m_quiet)
        error(line);
}

void Console::showProgress(int done, int total, bool force)
{
    if (!m_showProgress || m_quiet
        || (!force && m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < 100))
        return;
    m_sinceDrawn.start();
    const double seconds = double(m_sinceStart.elapsed()) / 1000.0;
    QString line = QStringLiteral("%1 of %2 files").arg(done).arg(total);
    if (done > 0 && seconds > 0) {
        const double rate = done / seconds;
        line += QStringLiteral(", %1 pictures a second").arg(rate, 0, 'f', rate < 10 ? 1 : 0);
        if (done < total)
            line += QStringLiteral(", %1 left").arg(DurationText((total - done) / rate));
    }
    // The line is rewritten in place: what is left of a longer one is blanked.
    const qsizetype length = line.size();
    const QByteArray bytes = (QLatin1Char('\r') + line
                              + QString(std::max<qsizetype>(0, m_progressLength - length), u' '))
                                 .toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
    m_progressLength = length;
}

void Console::clearProgress()
{
    if (m_progressLength == 0)
        return;
    const QByteArray blank =
        (QLatin1Char('\r') + QString(m_progressLength, u' ') + QLatin1Char('\r')).toUtf8();
    std::fwrite(blank.constData(), 1, std::size_t(blank.size()), stderr);
    std::fflush(stderr);
    m_progressLength = 0;
}

QString DurationText(double seconds)
{
    const long long whole = std::llround(std::max(0.0, seconds));
    if (whole < 60)
        return QStringLiteral("%1 s").arg(whole);
    if (whole < 3600)
        return QStringLiteral("%1 min %2 s")
            .arg(whole / 60)
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 h %2 min")
        .arg(whole / 3600)
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'));
}

} // namespace orvalin
