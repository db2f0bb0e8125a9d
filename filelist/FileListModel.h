#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace orvalin {

// The rows of the file list: one text each, the path of one file, in the order added. The
// columns are only headers; every column shows the row's text in column 0. Each row also has
// an identity no other row of this list ever has, which moves with it when rows exchange
// places, so work over the list can follow rows that move or vanish, and remembers the folder
// it was added from, when it was (not shown, not stored).
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
    // Columns from 0; one that does not exist is left alone.
    void setColumnHeader(int column, const QString& text);
    // addedFrom: the folder the rows were found in by a scan of it; empty for rows added as
    // files.
    void appendRows(const QStringList& texts, const QString& addedFrom = QString());
    void setRowText(int row, const QString& text);
    void exchangeRows(int first, int second);
    void removeRowAt(int row);
    void clearRows();

    const QStringList& rows() const { return m_rows; }
    quint64 rowIdentity(int row) const { return m_identities.at(row); }
    const QString& rowAddedFrom(int row) const { return m_addedFrom.at(row); }

private:
    QStringList m_headers;
    QStringList m_rows;
    QList<quint64> m_identities;
    QStringList m_addedFrom;
    quint64 m_nextIdentity = 1;
};

} // namespace orvalin
