#pragma once

#include <QAbstractTableModel>
#include <QMimeData>
#include <QStringList>

namespace corvanta {

class FileListModel;

// What a drag of the list's own items carries: the rows, and which list they
// belong to, so a drop can tell its own items from anything else.
class ListRowsMimeData : public QMimeData
{
    Q_OBJECT
public:
    ListRowsMimeData(const FileListModel *list, QList<int> rows)
        : list(list)
        , rows(std::move(rows))
    {
    }
    const FileListModel *const list;
    const QList<int> rows;
};

// The ordered input files of a join: plain path texts, duplicates allowed,
// shown in one column once the window has added it.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
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
    // that is at `destination` now (count() for the end). Returns where the
    // moved block now starts and how many rows it holds.
    struct MovedBlock
    {
        int first = 0;
        int count = 0;
    };
    MovedBlock moveRowsTo(QList<int> rows, int destination);
    // Moves each given row one place up (step -1) or down (step +1), keeping
    // their relative order. A row already against the edge, or against a
    // given row that cannot move, stays. Selections and the current item
    // follow their items. Returns whether anything moved.
    bool stepRows(QList<int> rows, int step);

    void addColumn(const QString &header);
    bool hasColumn() const { return m_hasColumn; }

signals:
    // Items that joined the list, or left it; moves are neither.
    void pathsAdded(const QStringList &paths);
    void pathsRemoved(const QStringList &paths);
    void cleared();

public:
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

private:
    QStringList m_paths;
    QString m_header;
    bool m_hasColumn = false;
};

} // namespace corvanta
