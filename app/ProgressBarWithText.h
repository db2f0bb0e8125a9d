#pragma once

#include <QElapsedTimer>
#include <QProgressBar>
#include <QTimer>

namespace orvalin {

// A progress bar that shows a text of its own, taken literally (a "%" in a file name is not a
// placeholder), and keeps the exact value last set, which may lie above its maximum: the bar
// then shows itself full.
//
// Text and value are taken at once, but reach the screen at most 30 times a second, and only
// once the caller is back in the event loop: a run over many small files changes both every
// few milliseconds, and painting each change would cost the run more than some of the
// conversions. Its accessible name is the text shown.
class ProgressBarWithText : public QProgressBar
{
    Q_OBJECT

public:
    explicit ProgressBarWithText(QWidget* parent = nullptr);

    QString text() const override;
    void setText(const QString& text);

    double exactValue() const { return m_exactValue; }
    void setExactValue(double value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showChanges();
    void present();

    QString m_text;
    double m_exactValue = 0;
    QElapsedTimer m_sincePainted;
    QTimer m_nextFrame;
};

} // namespace orvalin
