#pragma once

#include <QProgressBar>

namespace orvalin {

// A progress bar that shows a text of its own, taken literally (a "%" in a file name is not a
// placeholder), and keeps the exact value last set, which may lie above its maximum: the bar
// then shows itself full.
class ProgressBarWithText : public QProgressBar
{
    Q_OBJECT

public:
    explicit ProgressBarWithText(QWidget* parent = nullptr);

    QString text() const override;
    void setText(const QString& text);

    double exactValue() const { return m_exactValue; }
    void setExactValue(double value);

private:
    QString m_text;
    double m_exactValue = 0;
};

} // namespace orvalin
