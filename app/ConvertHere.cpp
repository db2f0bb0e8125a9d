#include "app/ConvertHere.h"

#include "app/Form1.h"

namespace orvalin {

ConvertHere::ConvertHere(Form1& window, std::chrono::milliseconds quiet,
                         std::chrono::milliseconds longest)
    : m_window(window), m_longest(longest)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quiet);
    connect(&m_quiet, &QTimer::timeout, this, [this] { begin(); });
}

void ConvertHere::gather(const QStringList& paths)
{
    if (!m_gathering)
        return;
    if (!m_sinceFirst.isValid())
        m_sinceFirst.start();
    m_window.takeHandedPaths(paths);
    if (std::chrono::milliseconds(m_sinceFirst.elapsed()) >= m_longest)
        return begin();
    m_quiet.start(); // from now: the quiet time begins again with each start
}

void ConvertHere::begin()
{
    if (!m_gathering)
        return;
    m_gathering = false;
    m_quiet.stop();
    if (m_ended)
        m_ended();
    m_window.convertBesideSources();
}

} // namespace orvalin
