#pragma once

#include <QString>
#include <QStringList>

class QElapsedTimer;

namespace orvalin::bench {

struct Timing
{
    double seconds = 0;
    double cpuSeconds = 0; // user and system time of this process and its children
    bool ok = false;
    double mainThreadSeconds = -1; // the window's thread alone, for a window run
};

double secondsOf(const QElapsedTimer& timer);

// The user and system time of getrusage(who).
double cpuSecondsOf(int who);
// That of this process and of the children it has waited for.
double cpuSecondsSoFar();

// Starts a program with its standard output (and, when asked, its errors) discarded; its
// process identifier, or -1 when it could not start. waitForProgram waits for its end and
// returns its exit code, or -1 when it did not exit.
int startProgram(const QStringList& arguments, bool quiet = false);
int waitForProgram(int pid);

// Runs a program to its end with its standard output (and, when asked, its errors) discarded.
// Returns its exit code, or -1 when it could not start or did not exit.
int runProgramFor(const QStringList& arguments, bool quiet = false);

// The same, true when the program exits with 0.
bool runProgram(const QStringList& arguments);

QString stemOf(const QString& file);

int countJpgs(const QString& folder);

// A fresh, empty folder under the benchmark's own temporary folder.
class Scratch
{
public:
    explicit Scratch(const QString& root) : m_root(root) {}

    QString fresh(const QString& what);

private:
    QString m_root;
    int m_count = 0;
};

struct ImageSize
{
    int width = 0;
    int height = 0;
};

ImageSize sizeOf(const QString& file);

double megapixels(const QStringList& files);

QString option(const QStringList& arguments, const QString& name, const QString& fallback);

} // namespace orvalin::bench
