#include "filelist/ListEditing.h"

#include "filelist/FileListView.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace orvalin {

ListEditing::ListEditing(FileListView& list, Hooks hooks)
    : QObject(&list), m_list(list), m_viewport(list.viewport()), m_hooks(std::move(hooks))
{
    // The list scrolls by the rule below, not by its own drag scrolling.
    m_list.setAutoScroll(false);
    m_list.installEventFilter(this);
    m_viewport->installEventFilter(this);
    m_viewport->setMouseTracking(true);
}

void ListEditing::removeSelectedRow()
{
    if (m_hooks.windowBusy && m_hooks.windowBusy())
        return;
    if (m_list.count() == 0)
        return;
    const QModelIndexList selected = m_list.selectionModel()->selectedRows();
    if (selected.isEmpty())
        return; // rows but none selected: nothing to remove
    m_list.remove(selected.first().row() + 1);
}

void ListEditing::press(const QPoint& viewportPosition)
{
    m_pressed = true;
    const QModelIndex pressedRow = m_list.indexAt(viewportPosition);
    if (!pressedRow.isValid())
        return; // the row of an earlier press stays the dragged one
    m_list.viewport()->setCursor(m_hooks.dragPointer ? m_hooks.dragPointer()
                                                     : QCursor(Qt::ClosedHandCursor));
    m_dragged = m_list.identity(pressedRow.row() + 1);
}

int ListEditing::positionOfDraggedRow() const
{
    if (!m_dragged)
        return 0;
    for (int position = 1; position <= m_list.count(); ++position) {
        if (m_list.identity(position) == *m_dragged)
            return position;
    }
    return 0; // the dragged row has been removed since
}

void ListEditing::move(const QPoint& viewportPosition, int screenY)
{
    if (m_hooks.pointerOverList)
        m_hooks.pointerOverList();
    if (!m_pressed)
        return;
    const QModelIndex under = m_list.indexAt(viewportPosition);
    if (!under.isValid())
        return;
    const int drop = under.row() + 1;
    const int dragged = positionOfDraggedRow();
    if (dragged == 0 || m_list.text(dragged) == m_list.text(drop))
        return;

    // The two rows exchange places; the dragged row's identity moves with its text.
    m_list.exchange(dragged, drop);
    m_list.setCurrentIndex(m_list.model()->index(drop - 1, 0));

    if (screenY < ScrollUpBelowY) {
        if (drop >= 2)
            m_list.scrollTo(m_list.model()->index(drop - 2, 0), QAbstractItemView::EnsureVisible);
    } else if (screenY >= ScrollDownFromY) {
        if (drop + 1 <= m_list.count())
            m_list.scrollTo(m_list.model()->index(drop, 0), QAbstractItemView::EnsureVisible);
    }
}

void ListEditing::release()
{
    m_pressed = false;
    m_list.viewport()->setCursor(Qt::ArrowCursor);
}

bool ListEditing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: break;
    default: return false; // nothing else is looked at, not even the list, which may be going
    }
    if (watched == &m_list && event->type() == QEvent::KeyPress) {
        // Delete removes the selected row whatever modifier is held with it.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            removeSelectedRow();
            return true;
        }
        return false;
    }
    if (watched != m_viewport)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        move(mouse->position().toPoint(), qRound(mouse->globalPosition().y()));
        break;
    }
    case QEvent::MouseButtonRelease: release(); break;
    case QEvent::MouseButtonDblClick: {
        const QModelIndex under =
            m_list.indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (under.isValid())
            m_list.setCurrentIndex(under);
        removeSelectedRow();
    }
        return true;
    default: break;
    }
    return false;
}

} // namespace orvalin
