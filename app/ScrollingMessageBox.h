#pragma once

#include "core/Platform.h"

#include <QDialog>
#include <QSize>

class QMessageBox;

namespace orvalin {

// The largest a message box may be: the available area of the owner's screen (the primary
// screen without an owner) less room for the frame the window manager puts around it.
QSize messageBoxSizeLimit(const QWidget* owner);

// Whether the box, already given its text, buttons and icon, stays within the limit's height
// once shown, allowing for the lines QMessageBox adds when it wraps a wide text. (QMessageBox
// keeps its width within the screen by itself.)
bool fitsInMessageBox(const QMessageBox& box, const QString& text, QSize sizeLimit);

// A message box for texts too long for QMessageBox: the text scrolls inside a read-only view
// where it can be selected and copied, and the buttons stay below it in sight. It answers as
// QMessageBox does: Yes is the default, and Escape or closing the window answers No (Ok when
// Ok is the only button).
class ScrollingMessageBox : public QDialog
{
public:
    // The request's text breaks lines with LF.
    ScrollingMessageBox(QWidget* owner, const MessageRequest& request, QSize sizeLimit);

    MessageAnswer ask();

private:
    MessageButtons m_buttons;
};

} // namespace orvalin
