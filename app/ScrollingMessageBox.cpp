#include "app/ScrollingMessageBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QtMath>

#include <algorithm>

namespace orvalin {

namespace {

// Room for the title bar and borders the window manager adds outside the box's own size.
constexpr int DecorationMargin = 64;

QScreen* screenOf(const QWidget* owner)
{
    if (owner && owner->screen())
        return owner->screen();
    return QGuiApplication::primaryScreen();
}

// The text's size as a text document lays it out, wrapped to the width; -1: unwrapped.
QSizeF laidOutSize(const QString& text, const QFont& font, qreal width)
{
    QTextDocument document;
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(text);
    document.setTextWidth(width);
    return document.size();
}

// The read-only view of the text. Its preferred size is the whole text unwrapped, so the box
// grows with the text until the size limit stops it; beyond that the view scrolls and wraps.
class MessageTextView : public QPlainTextEdit
{
public:
    explicit MessageTextView(const QString& text)
    {
        setReadOnly(true);
        // Read-only views select by mouse only; the keyboard selects too, for Ctrl+A.
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        setPlainText(text);
        m_preferredSize = wholeTextSize(text);
    }

    QSize sizeHint() const override { return m_preferredSize; }

private:
    QSize wholeTextSize(const QString& text) const
    {
        const QFontMetrics metrics(font());
        const QStringList lines = text.split(QLatin1Char('\n'));
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const int margins = 2 * (frameWidth() + qCeil(document()->documentMargin()));
        const int scrollBar = verticalScrollBar()->sizeHint().width();
        return {widest + margins + scrollBar, int(lines.size()) * metrics.lineSpacing() + margins};
    }

    QSize m_preferredSize;
};

QLabel* warningIcon(const QWidget* box)
{
    auto* icon = new QLabel;
    const int size = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
    icon->setPixmap(
        box->style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, box).pixmap(size, size));
    return icon;
}

} // namespace

QSize messageBoxSizeLimit(const QWidget* owner)
{
    const QScreen* screen = screenOf(owner);
    const QSize available = screen ? screen->availableGeometry().size() : QSize(640, 480);
    return available - QSize(DecorationMargin, DecorationMargin);
}

bool fitsInMessageBox(const QMessageBox& box, const QString& text, QSize sizeLimit)
{
    const QFont font = box.font();
    // Far too many lines: no need to lay out what cannot fit anyway.
    if (text.count(QLatin1Char('\n')) > sizeLimit.height() / QFontMetrics(font).lineSpacing())
        return false;
    // Unwrapped, the box is as tall as its size hint. It wraps a text that would make it wider
    // than half the screen (500 pixels at most), at word boundaries to that width, anywhere when
    // a word is wider still; wrapping anywhere to that width counts at least as many lines.
    const QSize unwrapped = box.sizeHint();
    const int wrapWidth = std::min(sizeLimit.width() / 2, 500);
    if (unwrapped.width() <= wrapWidth)
        return unwrapped.height() <= sizeLimit.height();
    const QSizeF lines = laidOutSize(text, font, -1);
    // The text's share of the wrapping width, kept positive: a negative width means no wrapping.
    const qreal textWidth = std::max<qreal>(wrapWidth - (unwrapped.width() - lines.width()), 1);
    const qreal growth = laidOutSize(text, font, textWidth).height() - lines.height();
    return unwrapped.height() + growth <= sizeLimit.height();
}

ScrollingMessageBox::ScrollingMessageBox(QWidget* owner, const MessageRequest& request,
                                         QSize sizeLimit)
    : QDialog(owner), m_buttons(request.buttons)
{
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(request.title);

    auto* layout = new QGridLayout(this);
    if (request.icon == MessageIcon::Warning)
        layout->addWidget(warningIcon(this), 0, 0, Qt::AlignTop);
    auto* view = new MessageTextView(request.text);
    layout->addWidget(view, 0, 1);

    auto* buttons = new QDialogButtonBox;
    buttons->setCenterButtons(
        style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this));
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    buttons->setStandardButtons(yesNo ? QDialogButtonBox::Yes | QDialogButtonBox::No
                                      : QDialogButtonBox::Ok);
    buttons->button(yesNo ? QDialogButtonBox::Yes : QDialogButtonBox::Ok)->setDefault(true);
    // Yes and Ok accept; No, Escape and closing the window reject.
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 1, 0, 1, 2);

    // The view takes the focus so the keys scroll and select at once; Return still reaches the
    // default button, as a read-only view leaves it unused.
    view->setFocus();
    resize(sizeHint().boundedTo(sizeLimit));
}

MessageAnswer ScrollingMessageBox::ask()
{
    const bool accepted = exec() == QDialog::Accepted;
    if (m_buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return accepted ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace orvalin
