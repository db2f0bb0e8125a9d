#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace orvalin {

// The rows of the file list: one text each, the path of one file, in the order added. The
// columns are only headers; every column shows the row's text in column 0.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void addColumnHeader(const QString& text);
    void appendRows(const QStringList& texts);
    void setRowText(int row, const QString& text);
    void removeRowAt(int row);
    void clearRows();

    const QStringList& rows() const { return m_rows; }

private:
    QStringList m_headers;
    QStringList m_rows;
};

} // namespace orvalin
