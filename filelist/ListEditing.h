#pragma once

#include <QCursor>
#include <QObject>

#include <functional>
#include <optional>

class QMouseEvent;

namespace orvalin {

class FileListView;

// Editing the list in place: Delete or a double-click removes the selected row (not while the
// window is busy), and pressing on a row and dragging it moves its text through the list, one
// exchange of two rows at a time, scrolling a row at a time near the top or bottom of the
// screen.
class ListEditing : public QObject
{
    Q_OBJECT

public:
    // Screen rows above this scroll the list up, rows from the second on scroll it down.
    static constexpr int ScrollUpBelowY = 305;
    static constexpr int ScrollDownFromY = 365;

    struct Hooks
    {
        std::function<bool()> windowBusy;
        // The pointer moved over the list: the window's pointer leaves a button's hand.
        std::function<void()> pointerOverList;
        // The pointer shown while a row is dragged.
        std::function<QCursor()> dragPointer;
    };

    ListEditing(FileListView& list, Hooks hooks);

    void removeSelectedRow();
    void press(const QPoint& viewportPosition);
    void move(const QPoint& viewportPosition, int screenY);
    void release();

    bool pressed() const { return m_pressed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int positionOfDraggedRow() const;

    FileListView& m_list;
    QWidget* m_viewport; // kept: the list may be half destroyed when late events arrive
    Hooks m_hooks;
    bool m_pressed = false;
    std::optional<quint64> m_dragged; // the dragged row's identity: it follows the moved text
};

} // namespace orvalin
