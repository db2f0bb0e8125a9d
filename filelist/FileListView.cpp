#include "filelist/FileListView.h"

#include "core/Failure.h"
#include "core/Twips.h"
#include "filelist/DropFiles.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QTimer>

namespace orvalin {

namespace {

// Row positions come from the list's own count; one outside it is refused rather than read.
void requireRow(int position, int count)
{
    if (position < 1 || position > count)
        throw Failure(QCoreApplication::translate("FailureReport", "Index out of bounds"));
}

} // namespace

FileListView::FileListView(QWidget* parent) : QTreeView(parent)
{
    setModel(&m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // keeps adding and clearing a hundred thousand rows quick
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // Rows are never dragged out of the list; files from the desktop may be dropped onto it.
    setDragEnabled(false);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void FileListView::setDropHandler(std::function<void(const QStringList&)> handler)
{
    m_dropHandler = std::move(handler);
}

void FileListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedPaths(*event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (DroppedPaths(*event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void FileListView::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedPaths(*event->mimeData());
    if (paths.isEmpty() || !m_dropHandler) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // A dropped folder may take a while to scan: the desktop's drag ends first.
    QTimer::singleShot(0, this, [this, paths] { m_dropHandler(paths); });
}

void FileListView::addColumnHeader(const QString& text)
{
    m_model.addColumnHeader(text);
}

void FileListView::setColumnHeader(int column, const QString& text)
{
    m_model.setColumnHeader(column - 1, text);
}

void FileListView::setColumnWidthTwips(int column, int twips)
{
    header()->resizeSection(column - 1, twipsToPixels(twips, logicalDpiX()));
}

void FileListView::add(const QString& text, const QString& addedFrom)
{
    m_model.appendRows({text}, addedFrom);
}

void FileListView::addRows(const QStringList& texts, const QString& addedFrom)
{
    m_model.appendRows(texts, addedFrom);
}

QString FileListView::addedFrom(int position) const
{
    requireRow(position, count());
    return m_model.rowAddedFrom(position - 1);
}

int FileListView::count() const
{
    return int(m_model.rows().size());
}

QString FileListView::text(int position) const
{
    requireRow(position, count());
    return m_model.rows().at(position - 1);
}

void FileListView::setText(int position, const QString& text)
{
    requireRow(position, count());
    m_model.setRowText(position - 1, text);
}

void FileListView::exchange(int first, int second)
{
    requireRow(first, count());
    requireRow(second, count());
    m_model.exchangeRows(first - 1, second - 1);
}

quint64 FileListView::identity(int position) const
{
    requireRow(position, count());
    return m_model.rowIdentity(position - 1);
}

void FileListView::remove(int position)
{
    requireRow(position, count());
    m_model.removeRowAt(position - 1);
}

void FileListView::clear()
{
    m_model.clearRows();
}

bool FileListContains(const FileListView& list, const QString& text)
{
    return list.rows().contains(text, Qt::CaseSensitive);
}

void LetWindowHandleEvents()
{
    QCoreApplication::processEvents();
}

std::function<void(const QStringList&, const QString&)> AddingTo(FileListView& list)
{
    return [&list](const QStringList& paths, const QString& addedFrom) {
        list.addRows(paths, addedFrom);
    };
}

} // namespace orvalin
