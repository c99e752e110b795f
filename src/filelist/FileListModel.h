#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace corvanta {

// The ordered input files of a join: plain path texts, duplicates allowed,
// shown in one column once the window has added it.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The list's own reordering drags carry this format, never file URLs.
    static const QString kRowsMimeType;

    using QAbstractTableModel::QAbstractTableModel;

    void append(const QString &path);
    void append(const QStringList &paths);
    int count() const { return int(m_paths.size()); }
    const QString &at(int row) const { return m_paths.at(row); }
    const QStringList &paths() const { return m_paths; }

    void clear();
    // Removes the given rows in one pass; the rest keep their order.
    void removeRowsAt(QList<int> rows);
    // Moves the given rows, in their relative order, to sit before the item
    // that is at `destination` now (count() for the end). Returns the new
    // first row of the moved block.
    int moveRowsTo(QList<int> rows, int destination);

    void addColumn(const QString &header);
    bool hasColumn() const { return m_hasColumn; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;

    static QList<int> rowsFromMimeData(const QMimeData *data);

private:
    QStringList m_paths;
    QString m_header;
    bool m_hasColumn = false;
};

} // namespace corvanta
