#pragma once

#include "core/Platform.h"

#include <QCoreApplication>
#include <QSet>
#include <QString>

#include <utility>

class QWidget;

namespace orvalin {

// The procedures that report unexpected failures in the common message box. Each one's
// identifier is declared once, here, so no procedure spells its own.
enum class GuardedProcedure {
    FormLoad,
    AddFilesClick,
    StartConvertingClick,
    AddFolderClick,
    ClearListClick,
    LoadSamplesClick,
    BrowseOutputFolderClick,
    CollectSubFolders,
};

inline const QString SupportEmail = QStringLiteral("support@kestrune.example");
inline QString FailureReportTitle()
{
    return QCoreApplication::translate("FailureReport", "Application Error");
}

// "in <identifier> ": the place of a procedure as the report names it.
QString procedureLiteral(GuardedProcedure procedure);

// The report's text: the description, the place and line, then the request for a screenshot.
QString failureReportText(const QString& description, GuardedProcedure procedure, int label);

// Runs the labelled steps of one guarded procedure. A step that fails is abandoned where it
// failed, reported with its procedure and label, and the procedure goes on with its next step;
// a branch test that fails counts as true, so the branch's first inside step runs next.
//
//     GuardedSteps guard(GuardedProcedure::FormLoad, messageBoxes, window);
//     if (guard.test(102, [&] { return PathExists(cursorFile); }))
//         guard.step(104, [&] { loadCursor(cursorFile); });
//     guard.step(130, [&] { setWindowTitle(ProductName); });
class GuardedSteps
{
public:
    GuardedSteps(GuardedProcedure procedure, MessageBoxes& messageBoxes, QWidget* owner);

    GuardedSteps(const GuardedSteps&) = delete;
    GuardedSteps& operator=(const GuardedSteps&) = delete;

    // True when the step ran to its end.
    template <typename Step>
    bool step(int label, Step&& body)
    {
        try {
            std::forward<Step>(body)();
            return true;
        } catch (...) {
            reportCurrentException(label);
            return false;
        }
    }

    template <typename Test>
    bool test(int label, Test&& condition)
    {
        try {
            return static_cast<bool>(std::forward<Test>(condition)());
        } catch (...) {
            reportCurrentException(label);
            return true;
        }
    }

    GuardedProcedure procedure() const { return m_procedure; }

    // From now on a failure already reported at the same label with the same description is
    // not shown again: a procedure that meets one cause over and over tells it once.
    void reportRepeatsOnce() { m_repeatsSilenced = true; }

private:
    void reportCurrentException(int label);

    GuardedProcedure m_procedure;
    MessageBoxes& m_messageBoxes;
    QWidget* m_owner;
    bool m_repeatsSilenced = false;
    QSet<QString> m_reported;
};

} // namespace orvalin
