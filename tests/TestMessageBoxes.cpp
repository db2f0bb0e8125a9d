#include "app/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace orvalin;

Q_DECLARE_METATYPE(orvalin::MessageAnswer)

namespace {

// The final message of a run that converted none of 300 files, one line per file, one file
// named like markup.
QString longReport()
{
    QStringList lines{QStringLiteral("Done."), QString(), QStringLiteral("Not converted:")};
    for (int i = 1; i <= 300; ++i)
        lines.append(QStringLiteral("/home/user/Pictures/holiday <b>%1</b>.webp").arg(i));
    return lines.join(QStringLiteral("\r\n"));
}

// Shows the request in Qt's boxes; once the modal box is up, handle inspects and closes it.
MessageAnswer showAndHandle(const MessageRequest& request,
                            const std::function<void(QWidget&)>& handle)
{
    QTimer::singleShot(0, [&handle] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            qFatal("no modal message box is shown");
        handle(*box);
    });
    return QtMessageBoxes().show(nullptr, request);
}

} // namespace

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void longReportScrollsInABoxThatFitsTheScreen()
    {
        QRect frame;
        bool okInSight = false;
        QString shown;
        QString copied;
        const MessageAnswer answer =
            showAndHandle({QStringLiteral("Orvalin"), longReport()}, [&](QWidget& box) {
                frame = box.frameGeometry();
                auto* buttons = box.findChild<QDialogButtonBox*>();
                QAbstractButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
                okInSight = ok && ok->isVisible()
                            && box.rect().contains(QRect(ok->mapTo(&box, QPoint()), ok->size()));
                if (auto* view = box.findChild<QPlainTextEdit*>()) {
                    shown = view->toPlainText();
                    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
                    copied = QApplication::clipboard()->text();
                }
                ok ? ok->click() : void(box.close());
            });

        QCOMPARE(answer, MessageAnswer::Ok);
        QVERIFY2(QGuiApplication::primaryScreen()->availableGeometry().contains(frame),
                 qPrintable(QStringLiteral("box %1x%2").arg(frame.width()).arg(frame.height())));
        QVERIFY(okInSight);
        const QString lines = longReport().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(shown, lines);
        QCOMPARE(copied, lines);
    }

    void questionsKeepTheirAnswers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("messageBox");
        const QString question = QStringLiteral("Overwrite existing files?");
        QTest::newRow("short: Return takes Yes")
            << question << int(Qt::Key_Return) << MessageAnswer::Yes << true;
        QTest::newRow("short: Escape answers No")
            << question << int(Qt::Key_Escape) << MessageAnswer::No << true;
        QTest::newRow("long: Return takes Yes")
            << longReport() << int(Qt::Key_Return) << MessageAnswer::Yes << false;
        QTest::newRow("long: Escape answers No")
            << longReport() << int(Qt::Key_Escape) << MessageAnswer::No << false;
    }
    void questionsKeepTheirAnswers()
    {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, messageBox);
        bool shownAsMessageBox = false;
        const MessageRequest question{QStringLiteral("Orvalin"), text, MessageIcon::Warning,
                                      MessageButtons::YesNo};
        const auto pressKey = [&](QWidget& box) {
            shownAsMessageBox = qobject_cast<QMessageBox*>(&box) != nullptr;
            // A long text has the focus; the keys it leaves unused reach the box.
            auto* view = box.findChild<QPlainTextEdit*>();
            QTest::keyClick(view ? static_cast<QWidget*>(view) : &box, Qt::Key(key));
        };
        QCOMPARE(showAndHandle(question, pressKey), answer);
        // Short texts keep Qt's own message box.
        QCOMPARE(shownAsMessageBox, messageBox);
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "TestMessageBoxes.moc"
