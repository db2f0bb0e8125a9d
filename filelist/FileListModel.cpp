#include "filelist/FileListModel.h"

#include <algorithm>

namespace orvalin {

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_rows.at(index.row());
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < m_headers.size())
        return m_headers.at(section);
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FileListModel::addColumnHeader(const QString& text)
{
    const int column = int(m_headers.size());
    beginInsertColumns({}, column, column);
    m_headers.append(text);
    endInsertColumns();
}

void FileListModel::setColumnHeader(int column, const QString& text)
{
    if (column < 0 || column >= m_headers.size())
        return;
    m_headers[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void FileListModel::appendRows(const QStringList& texts, const QString& addedFrom)
{
    if (texts.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(texts.size()) - 1);
    m_rows.append(texts);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        m_identities.append(m_nextIdentity++);
        m_addedFrom.append(addedFrom);
    }
    endInsertRows();
}

void FileListModel::setRowText(int row, const QString& text)
{
    m_rows[row] = text;
    const QModelIndex changed = index(row, 0);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void FileListModel::exchangeRows(int first, int second)
{
    m_rows.swapItemsAt(first, second);
    m_identities.swapItemsAt(first, second);
    m_addedFrom.swapItemsAt(first, second);
    emit dataChanged(index(std::min(first, second), 0), index(std::max(first, second), 0),
                     {Qt::DisplayRole});
}

void FileListModel::removeRowAt(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    m_identities.removeAt(row);
    m_addedFrom.removeAt(row);
    endRemoveRows();
}

void FileListModel::clearRows()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    m_identities.clear();
    m_addedFrom.clear();
    endResetModel();
}

} // namespace orvalin
