#include "filelist/FileListModel.h"

#include "core/Text.h"

#include <algorithm>
#include <numeric>

namespace corvanta {

namespace {

const QString kRowsMimeType = QStringLiteral("application/x-corvanta-list-rows");

QList<int> sortedUnique(QList<int> rows, int count)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [count](int r) { return r < 0 || r >= count; }), rows.end());
    return rows;
}
} // namespace

void FileListModel::append(const QString &path)
{
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    m_paths.append(path);
    endInsertRows();
    emit pathsAdded({path});
}

void FileListModel::append(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const int row = count();
    beginInsertRows(QModelIndex(), row, row + int(paths.size()) - 1);
    m_paths.append(paths);
    endInsertRows();
    emit pathsAdded(paths);
}

void FileListModel::clear()
{
    if (m_paths.isEmpty())
        return;
    beginResetModel();
    m_paths.clear();
    endResetModel();
    emit cleared();
}

void FileListModel::removeRowsAt(QList<int> rows)
{
    rows = sortedUnique(std::move(rows), count());
    if (rows.isEmpty())
        return;
    if (rows.size() == 1) {
        beginRemoveRows(QModelIndex(), rows.first(), rows.first());
        const QString removed = m_paths.takeAt(rows.first());
        endRemoveRows();
        emit pathsRemoved({removed});
        return;
    }
    // Removing scattered rows one at a time would move the tail of the list
    // once per row; one compaction pass keeps a large list fast.
    beginResetModel();
    QStringList kept;
    QStringList removed;
    kept.reserve(m_paths.size() - rows.size());
    removed.reserve(rows.size());
    auto next = rows.cbegin();
    for (int row = 0; row < m_paths.size(); ++row) {
        if (next != rows.cend() && *next == row) {
            removed.append(m_paths.at(row));
            ++next;
        } else {
            kept.append(m_paths.at(row));
        }
    }
    m_paths = std::move(kept);
    endResetModel();
    emit pathsRemoved(removed);
}

FileListModel::MovedBlock FileListModel::moveRowsTo(QList<int> rows, int destination)
{
    rows = sortedUnique(std::move(rows), count());
    destination = std::clamp(destination, 0, count());
    if (rows.isEmpty())
        return {destination, 0};
    QStringList moved;
    QStringList rest;
    int insertAt = 0;
    auto next = rows.cbegin();
    for (int row = 0; row < m_paths.size(); ++row) {
        if (row == destination)
            insertAt = int(rest.size());
        if (next != rows.cend() && *next == row) {
            moved.append(m_paths.at(row));
            ++next;
        } else {
            rest.append(m_paths.at(row));
        }
    }
    if (destination == m_paths.size())
        insertAt = int(rest.size());
    beginResetModel();
    for (int i = 0; i < moved.size(); ++i)
        rest.insert(insertAt + i, moved.at(i));
    m_paths = std::move(rest);
    endResetModel();
    return {insertAt, int(moved.size())};
}

bool FileListModel::stepRows(QList<int> rows, int step)
{
    rows = sortedUnique(std::move(rows), count());
    if (step > 0)
        std::reverse(rows.begin(), rows.end());
    // Walking from the edge the rows move towards, each row swaps with its
    // neighbour unless that place is the edge or is held by a row that stayed.
    // `newRowOf` follows every item, for the views' persistent indexes.
    QList<int> newRowOf(count());
    std::iota(newRowOf.begin(), newRowOf.end(), 0);
    QList<int> itemAt = newRowOf;
    int blocked = step > 0 ? count() : -1;
    bool moved = false;
    for (int row : rows) {
        const int target = row + step;
        if (target == blocked) {
            blocked = row;
            continue;
        }
        if (!moved) {
            emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
            moved = true;
        }
        m_paths.swapItemsAt(row, target);
        std::swap(itemAt[row], itemAt[target]);
        newRowOf[itemAt[row]] = row;
        newRowOf[itemAt[target]] = target;
        blocked = target;
    }
    if (!moved)
        return false;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(this->index(newRowOf.at(index.row()), index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
}

void FileListModel::addColumn(const QString &header)
{
    if (m_hasColumn)
        return;
    beginInsertColumns(QModelIndex(), 0, 0);
    m_header = header;
    m_hasColumn = true;
    endInsertColumns();
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_hasColumn ? 0 : 1;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole)
        return m_paths.at(index.row());
    // A screen reader reads the path as the item's name; this tells where it
    // stands in the join.
    if (role == Qt::AccessibleDescriptionRole)
        return Text::tr("File %1 of %2 to join").arg(QString::number(index.row() + 1), QString::number(count()));
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole && m_hasColumn)
        return m_header;
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    // Items can be dragged but not dropped onto: a drop lands between items.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

Qt::DropActions FileListModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

QStringList FileListModel::mimeTypes() const
{
    return {kRowsMimeType};
}

QMimeData *FileListModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &index : indexes)
        rows.append(index.row());
    auto *mime = new ListRowsMimeData(this, rows);
    // A marker format, so the view's own drag machinery offers the drop.
    mime->setData(kRowsMimeType, QByteArray());
    return mime;
}

bool FileListModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int, int, const QModelIndex &) const
{
    const auto *rows = qobject_cast<const ListRowsMimeData *>(data);
    return rows && rows->list == this;
}

} // namespace corvanta
