#pragma once

#include "filelist/FileListModel.h"

#include <QCoreApplication>
#include <QTreeView>

#include <functional>

namespace orvalin {

// The file list control: the queue of files a conversion run works through, shown in details
// view with one header column. Rows are numbered from 1 in the order shown.
class FileListView : public QTreeView
{
    Q_OBJECT

public:
    explicit FileListView(QWidget* parent = nullptr);

    void addColumnHeader(const QString& text);
    // Column numbers from 1.
    void setColumnHeader(int column, const QString& text);
    // Column numbers from 1.
    void setColumnWidthTwips(int column, int twips);

    // Appends without any test: the same text may stand more than once. addedFrom: the folder
    // a scan found the rows in, which they remember; empty for rows added as files.
    void add(const QString& text, const QString& addedFrom = QString());
    void addRows(const QStringList& texts, const QString& addedFrom = QString());

    int count() const;
    // Positions outside 1 to count() throw Failure.
    QString text(int position) const;
    void setText(int position, const QString& text);
    // Exchanges two rows, their texts and identities both.
    void exchange(int first, int second);
    // The row's identity: never shared with another row of this list, kept while it moves.
    quint64 identity(int position) const;
    // The folder the row was added from, or empty when it was added as a file.
    QString addedFrom(int position) const;
    void remove(int position);
    void clear();

    const QStringList& rows() const { return m_model.rows(); }

    // Files and folders dropped from the desktop are handed to this, after the drop has ended.
    void setDropHandler(std::function<void(const QStringList& paths)> handler);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FileListModel m_model;
    std::function<void(const QStringList&)> m_dropHandler;
};

// True when a row's text equals the given text in every character (case-sensitive, nothing
// trimmed or normalised); false for an empty list.
bool FileListContains(const FileListView& list, const QString& text);

} // namespace orvalin

namespace orvalin {

inline QString FileListColumnHeader()
{
    return QCoreApplication::translate("FileList", " WebP File(s)");
}
inline constexpr int FileListColumnWidthTwips = 7000;
inline QString FileListToolTip()
{
    return QCoreApplication::translate("FileList",
                                       "Drag and drop files here. Double-click item to remove it. "
                                       "Move | line to right and out of window to reveal full "
                                       "names.");
}

// The window's side of a folder scan: the window handles its events at each of the scan's
// yields, and the rows found join the list.
void LetWindowHandleEvents();
std::function<void(const QStringList& paths, const QString& addedFrom)>
AddingTo(FileListView& list);

} // namespace orvalin
