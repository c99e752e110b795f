#pragma once

#include <QElapsedTimer>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

#include <functional>

class QHelpEvent;

namespace corvanta {

class FileListModel;
class ListRowsMimeData;

// A header whose text, when longer than its section, ends in "…" instead of
// being cut off mid-word at the section's edge.
class ElidingHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit ElidingHeader(QWidget *parent = nullptr);
    QString shownText(int logicalIndex) const;

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;
};

// The list control: one column with a header, extended selection, a current
// item, reordering by dragging items within the list or with Ctrl+Up and
// Ctrl+Down, and file drops that the window decides about.
class FileListView : public QTreeView
{
    Q_OBJECT
public:
    explicit FileListView(QWidget *parent = nullptr);

    void setFileList(FileListModel *model);

    QList<int> selectedRowNumbers() const;
    int currentRow() const;

    // Asked whether a drag from outside the list may be dropped, and handed the drop.
    std::function<bool(const QMimeData *)> acceptsExternalDrop;
    std::function<void(const QMimeData *)> externalDrop;

    // Moves the rows so they sit before the item now at `destination`, and
    // leaves them selected.
    void moveRows(const QList<int> &rows, int destination);
    // Moves the selected rows one place up (-1) or down (+1); they stay selected.
    void stepSelectedRows(int step);

    void doItemsLayout() override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

signals:
    void itemDoubleClicked();
    void keyPressed(int key);
    void mouseMoved();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void layOutWaitingRows();
    void showToolTip(const QHelpEvent *event);

    const ListRowsMimeData *ownRows(const QDropEvent *event) const;
    int dropRow(const QDropEvent *event) const;
    bool acceptExternalDrag(QDropEvent *event) const;

    FileListModel *m_model = nullptr;
    // Rows appended to a long list wait here for their layout (see rowsInserted).
    QTimer m_appendedRowsLayout;
    QElapsedTimer m_sinceLayout;
    qint64 m_layoutNanoseconds = 0;
};

} // namespace corvanta
