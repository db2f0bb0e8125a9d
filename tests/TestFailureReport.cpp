#include "core/Failure.h"
#include "core/FailureReport.h"
#include "tests/support/RecordingPlatform.h"

#include <QTest>

#include <stdexcept>

using namespace orvalin;
using orvalin::testing::RecordingMessageBoxes;

Q_DECLARE_METATYPE(orvalin::GuardedProcedure)

class TestFailureReport : public QObject
{
    Q_OBJECT

private slots:
    void textReadsAsThreeLines()
    {
        QCOMPARE(
            failureReportText(QStringLiteral("Type mismatch"), GuardedProcedure::FormLoad, 148),
            QStringLiteral("Type mismatch\r\n"
                           "in Tessaly2021/08/31.Form1.Form_Load at line 148\r\r"
                           "Please email screenshot of this message to ")
                + SupportEmail);
    }

    void everyProcedureHasItsLiteral_data()
    {
        QTest::addColumn<GuardedProcedure>("procedure");
        QTest::addColumn<QString>("literal");
        const auto row = [](const char* name, GuardedProcedure procedure, const char* literal) {
            QTest::newRow(name) << procedure << QString::fromLatin1(literal);
        };
        row("load", GuardedProcedure::FormLoad, "in Tessaly2021/08/31.Form1.Form_Load ");
        row("add files", GuardedProcedure::AddFilesClick,
            "in Tessaly2021/08/31.Form1.PushButton1_Click ");
        row("convert", GuardedProcedure::StartConvertingClick,
            "in Tessaly2021/08/31.Form1.PushButton2_Click ");
        row("add folder", GuardedProcedure::AddFolderClick,
            "in Tessaly2021/08/31.Form1.PushButton4_Click ");
        row("clear", GuardedProcedure::ClearListClick,
            "in Tessaly2021/08/31.Form1.PushButton6_Click ");
        row("samples", GuardedProcedure::LoadSamplesClick,
            "in Tessaly2021/08/31.Form1.PushButton7_Click ");
        row("browse", GuardedProcedure::BrowseOutputFolderClick,
            "in Tessaly2021/08/31.Form1.PushButton9_Click ");
        row("sub-folders", GuardedProcedure::CollectSubFolders,
            "in Corvane2021/08/31.AddFolder.GetSubDirectories2016 ");
    }
    void everyProcedureHasItsLiteral()
    {
        QFETCH(GuardedProcedure, procedure);
        QFETCH(QString, literal);
        QCOMPARE(procedureLiteral(procedure), literal);
    }

    void failedStepIsReportedAndTheNextStepRuns()
    {
        RecordingMessageBoxes boxes;
        QWidget* owner = reinterpret_cast<QWidget*>(0x1);
        GuardedSteps guard(GuardedProcedure::StartConvertingClick, boxes, owner);
        QStringList done;
        guard.step(100, [&] { done << "100"; });
        guard.step(102, [&] {
            done << "102 before";
            throw Failure(QStringLiteral("Path not found"));
            done << "102 after";
        });
        guard.step(104, [&] { done << "104"; });

        QCOMPARE(done, (QStringList{"100", "102 before", "104"}));
        QCOMPARE(boxes.shown.size(), 1);
        const MessageRequest& box = boxes.shown.first();
        QCOMPARE(box.title, QStringLiteral("Application Error"));
        QCOMPARE(box.icon, MessageIcon::Warning);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(box.text, failureReportText(QStringLiteral("Path not found"),
                                             GuardedProcedure::StartConvertingClick, 102));
        QCOMPARE(boxes.owners.first(), owner);
    }

    void failedBranchTestCountsAsTrue()
    {
        RecordingMessageBoxes boxes;
        GuardedSteps guard(GuardedProcedure::FormLoad, boxes, nullptr);
        bool insideRan = false;
        if (guard.test(102, []() -> bool { throw Failure(QStringLiteral("Bad file name")); }))
            guard.step(104, [&] { insideRan = true; });
        QVERIFY(insideRan);
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(boxes.shown.first().text.contains(QStringLiteral("Form_Load at line 102\r\r")));

        // A test that works gives its own answer and reports nothing.
        QVERIFY(!guard.test(106, [] { return false; }));
        QVERIFY(guard.test(108, [] { return true; }));
        QCOMPARE(boxes.shown.size(), 1);
    }

    void everyFailureIsReportedInTurn()
    {
        RecordingMessageBoxes boxes;
        GuardedSteps guard(GuardedProcedure::ClearListClick, boxes, nullptr);
        for (int label = 100; label <= 140; label += 2)
            guard.step(label, [&] { throw Failure(QStringLiteral("Failure %1").arg(label)); });
        QCOMPARE(boxes.shown.size(), 21);
        for (int i = 0; i < boxes.shown.size(); ++i) {
            const int label = 100 + 2 * i;
            QCOMPARE(boxes.shown[i].text,
                     failureReportText(QStringLiteral("Failure %1").arg(label),
                                       GuardedProcedure::ClearListClick, label));
        }
    }

    void failureInACalledRoutineNamesTheCallingStep()
    {
        RecordingMessageBoxes boxes;
        GuardedSteps guard(GuardedProcedure::StartConvertingClick, boxes, nullptr);
        const auto helperWithoutReport = [] { throw Failure(FailureText::InvalidArgument()); };
        guard.step(172, [&] { helperWithoutReport(); });
        QCOMPARE(boxes.shown.first().text.section(QStringLiteral("\r\n"), 1),
                 QStringLiteral("in Tessaly2021/08/31.Form1.PushButton2_Click at line 172\r\r"
                                "Please email screenshot of this message to ")
                     + SupportEmail);
    }

    void descriptionsOfOtherExceptions()
    {
        RecordingMessageBoxes boxes;
        GuardedSteps guard(GuardedProcedure::FormLoad, boxes, nullptr);
        guard.step(100, [] { throw std::runtime_error("Disk full"); });
        guard.step(102, [] { throw std::bad_alloc(); });
        guard.step(104, [] { throw 42; });
        QCOMPARE(boxes.shown.size(), 3);
        QVERIFY(boxes.shown[0].text.startsWith(QStringLiteral("Disk full\r\n")));
        QVERIFY(
            boxes.shown[1].text.startsWith(FailureText::OutOfMemory() + QStringLiteral("\r\n")));
        QVERIFY(boxes.shown[2].text.startsWith(FailureText::Unknown() + QStringLiteral("\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestFailureReport)
#include "TestFailureReport.moc"
