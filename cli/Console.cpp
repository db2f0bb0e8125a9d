#include "cli/Console.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cmath>

namespace orvalin {

namespace {

#ifdef Q_OS_WIN
// The console a stream writes to, or null when it writes to a file, a pipe or the NUL device.
HANDLE consoleOf(std::FILE* stream)
{
    const auto handle = HANDLE(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}
#endif

} // namespace

void WriteText(std::FILE* stream, const QString& text)
{
#ifdef Q_OS_WIN
    // Bytes written to a console pass through the C run-time's code page and the console's,
    // which garble all that is not ASCII: a console is given the characters themselves.
    if (const HANDLE console = consoleOf(stream)) {
        std::fflush(stream);
        DWORD written = 0;
        ::WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()),
                        &written, nullptr);
        return;
    }
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

Console::Console(bool showProgress, bool quiet) : m_showProgress(showProgress), m_quiet(quiet)
{
    m_sinceStart.start();
}

Console::~Console()
{
    clearProgress();
}

bool Console::errorIsTerminal()
{
#ifdef Q_OS_WIN
    return consoleOf(stderr) != nullptr; // _isatty() takes the NUL device for one too
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

void Console::write(std::FILE* stream, const QString& line)
{
    clearProgress();
    WriteText(stream, line + QLatin1Char('\n'));
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
    WriteText(stderr, QLatin1Char('\r') + line
                          + QString(std::max<qsizetype>(0, m_progressLength - length), u' '));
    m_progressLength = length;
}

void Console::clearProgress()
{
    if (m_progressLength == 0)
        return;
    WriteText(stderr, QLatin1Char('\r') + QString(m_progressLength, u' ') + QLatin1Char('\r'));
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
