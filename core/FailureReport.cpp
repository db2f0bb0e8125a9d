#include "core/FailureReport.h"

#include "core/Failure.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <new>

namespace orvalin {

namespace {

const QString BuildDate = QStringLiteral("2021/08/31");

QString procedureIdentifier(GuardedProcedure procedure)
{
    const QString window = QStringLiteral("Tessaly") + BuildDate + QStringLiteral(".Form1.");
    switch (procedure) {
    case GuardedProcedure::FormLoad: return window + QStringLiteral("Form_Load");
    case GuardedProcedure::AddFilesClick: return window + QStringLiteral("PushButton1_Click");
    case GuardedProcedure::StartConvertingClick:
        return window + QStringLiteral("PushButton2_Click");
    case GuardedProcedure::AddFolderClick: return window + QStringLiteral("PushButton4_Click");
    case GuardedProcedure::ClearListClick: return window + QStringLiteral("PushButton6_Click");
    case GuardedProcedure::LoadSamplesClick: return window + QStringLiteral("PushButton7_Click");
    case GuardedProcedure::BrowseOutputFolderClick:
        return window + QStringLiteral("PushButton9_Click");
    case GuardedProcedure::CollectSubFolders:
        return QStringLiteral("Corvane") + BuildDate
               + QStringLiteral(".AddFolder.GetSubDirectories2016");
    }
    Q_UNREACHABLE();
}

} // namespace

QString describeCurrentException()
{
    try {
        throw;
    } catch (const Failure& failure) {
        return failure.description();
    } catch (const std::bad_alloc&) {
        return FailureText::OutOfMemory();
    } catch (const std::exception& e) {
        const QString what = QString::fromUtf8(e.what());
        return what.isEmpty() ? FailureText::Unknown() : what;
    } catch (...) {
        return FailureText::Unknown();
    }
}

QString procedureLiteral(GuardedProcedure procedure)
{
    return QStringLiteral("in ") + procedureIdentifier(procedure) + QLatin1Char(' ');
}

QString failureReportText(const QString& description, GuardedProcedure procedure, int label)
{
    return description + QStringLiteral("\r\n")
           + QCoreApplication::translate("FailureReport", "in %1 at line %2")
                 .arg(procedureIdentifier(procedure))
                 .arg(label)
           + QStringLiteral("\r\r")
           + QCoreApplication::translate("FailureReport",
                                         "Please email screenshot of this message to %1")
                 .arg(SupportEmail);
}

GuardedSteps::GuardedSteps(GuardedProcedure procedure, MessageBoxes& messageBoxes, QWidget* owner)
    : m_procedure(procedure), m_messageBoxes(messageBoxes), m_owner(owner)
{
}

void GuardedSteps::reportCurrentException(int label)
{
    // Labels are the even numbers from 100 on; anything else is a mistake in the caller.
    Q_ASSERT(label >= 100 && label % 2 == 0);
    const QString description = describeCurrentException();
    if (m_repeatsSilenced) {
        const QString key = QString::number(label) + QLatin1Char(' ') + description;
        if (m_reported.contains(key))
            return;
        m_reported.insert(key);
    }
    m_messageBoxes.show(m_owner,
                        {FailureReportTitle(), failureReportText(description, m_procedure, label),
                         MessageIcon::Warning, MessageButtons::Ok});
}

} // namespace orvalin
