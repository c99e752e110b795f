#include "filelist/FileListView.h"

#include "filelist/FileListModel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <chrono>

namespace corvanta {

ElidingHeader::ElidingHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
}

QString ElidingHeader::shownText(int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    QHeaderView::initStyleOptionForIndex(&option, logicalIndex);
    option.rect = QRect(0, 0, sectionSize(logicalIndex), height());
    const QRect label = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this);
    return option.fontMetrics.elidedText(option.text, Qt::ElideRight, label.width());
}

void ElidingHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->text = shownText(logicalIndex);
}

namespace {

// While rows keep arriving, laying out the whole list may take about a tenth
// of the time: the next layout waits this many times as long as the last one took.
constexpr qint64 kLayoutWaitFactor = 10;
// Below this a layout is too cheap to be worth putting off.
constexpr qint64 kCheapLayoutNanoseconds = 1'000'000;

} // namespace

FileListView::FileListView(QWidget *parent)
    : QTreeView(parent)
{
    setHeader(new ElidingHeader(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    header()->setStretchLastSection(false);
    viewport()->setMouseTracking(true);

    // Without the focus the selection turns grey, as in most desktop lists,
    // so the coloured selection also says where the keyboard is.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Midlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Active, QPalette::Text));
    setPalette(colours);

    m_appendedRowsLayout.setSingleShot(true);
    connect(&m_appendedRowsLayout, &QTimer::timeout, this, [this] { scheduleDelayedItemsLayout(); });
}

void FileListView::setFileList(FileListModel *model)
{
    m_model = model;
    setModel(model);
}

QList<int> FileListView::selectedRowNumbers() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    return rows;
}

int FileListView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileListView::moveRows(const QList<int> &rows, int destination)
{
    const FileListModel::MovedBlock block = m_model->moveRowsTo(rows, destination);
    if (block.count == 0)
        return;
    const int first = block.first;
    const int last = first + block.count - 1;
    const QItemSelection moved(m_model->index(first, 0), m_model->index(last, 0));
    selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(m_model->index(first, 0), QItemSelectionModel::NoUpdate);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only a left double-click on an item removes the current item; one on
    // the empty space below the items would remove an item nobody pointed
    // at, and other buttons are easily double-clicked by accident. There is
    // no undo.
    const bool removes = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
    QTreeView::mouseDoubleClickEvent(event);
    if (removes)
        emit itemDoubleClicked();
}

void FileListView::keyPressEvent(QKeyEvent *event)
{
    emit keyPressed(event->key());
    // Ctrl+Up and Ctrl+Down are the keyboard's way to reorder; without this
    // they would only move the current item's focus frame.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        stepSelectedRows(event->key() == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FileListView::stepSelectedRows(int step)
{
    if (m_model->stepRows(selectedRowNumbers(), step) && currentIndex().isValid())
        scrollTo(currentIndex());
}

const ListRowsMimeData *FileListView::ownRows(const QDropEvent *event) const
{
    const auto *rows = qobject_cast<const ListRowsMimeData *>(event->mimeData());
    return rows && rows->list == m_model ? rows : nullptr;
}

bool FileListView::acceptExternalDrag(QDropEvent *event) const
{
    if (!acceptsExternalDrop || !acceptsExternalDrop(event->mimeData())) {
        event->ignore();
        return false;
    }
    // The list only records paths, so the source is told "copy" and never
    // removes its files.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void FileListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (ownRows(event))
        QTreeView::dragEnterEvent(event);
    else
        acceptExternalDrag(event);
}

void FileListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (ownRows(event))
        QTreeView::dragMoveEvent(event);
    else
        acceptExternalDrag(event);
}

int FileListView::dropRow(const QDropEvent *event) const
{
    const QModelIndex target = indexAt(event->position().toPoint());
    if (!target.isValid())
        return m_model->count();
    const QRect rect = visualRect(target);
    const bool lowerHalf = event->position().toPoint().y() >= rect.center().y();
    return target.row() + (lowerHalf ? 1 : 0);
}

void FileListView::dropEvent(QDropEvent *event)
{
    if (const ListRowsMimeData *rows = ownRows(event)) {
        moveRows(rows->rows, dropRow(event));
        // Reported as a copy so the drag does not remove the rows it just moved.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        setState(NoState);
        viewport()->update();
        return;
    }
    if (acceptExternalDrag(event) && externalDrop)
        externalDrop(event->mimeData());
}

bool FileListView::event(QEvent *event)
{
    const bool handled = QTreeView::event(event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update(); // the frame, outside the viewport
        break;
    case QEvent::Paint:
        // The style draws no focus frame around a list; without this, an
        // empty list or one without a selection would not show the focus.
        if (hasFocus() && frameWidth() > 0) {
            QPainter painter(this);
            const int width = frameWidth();
            painter.setPen(QPen(palette().color(QPalette::Highlight), width));
            painter.drawRect(QRectF(rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
        }
        break;
    default:
        break;
    }
    return handled;
}

bool FileListView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        emit mouseMoved();
    if (event->type() == QEvent::ToolTip) {
        showToolTip(static_cast<QHelpEvent *>(event));
        return true;
    }
    return QTreeView::viewportEvent(event);
}

// The list has one tooltip, over its items and its empty space alike: the
// hint on how to use it. An item's text is its path; where a narrow window
// cuts that text off, the whole path follows the hint.
void FileListView::showToolTip(const QHelpEvent *event)
{
    QString text = toolTip();
    const QModelIndex index = indexAt(event->pos());
    QRect area;
    if (index.isValid()) {
        area = visualRect(index);
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        if (itemDelegateForIndex(index)->sizeHint(option, index).width() > columnWidth(index.column()))
            text += QLatin1Char('\n') + index.data().toString();
    }
    QToolTip::showText(event->globalPos(), text, viewport(), area);
}

void FileListView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    // The tree view lays out every row again after any insertion, at the next
    // turn of the event loop. A folder scan appends rows between nearly all
    // turns, so on a list of a million rows the layouts would take most of
    // the scan's time and stall the window. Rows appended at the end move no
    // row that is already laid out: their layout can wait, and the rows above
    // them stay as they are shown.
    const bool appended = !parent.isValid() && end == model()->rowCount() - 1;
    const qint64 waitNanoseconds = m_sinceLayout.isValid() && m_layoutNanoseconds >= kCheapLayoutNanoseconds
        ? kLayoutWaitFactor * m_layoutNanoseconds - m_sinceLayout.nsecsElapsed()
        : 0;
    if (!appended || (waitNanoseconds <= 0 && !m_appendedRowsLayout.isActive())) {
        QTreeView::rowsInserted(parent, start, end);
        return;
    }
    QAbstractItemView::rowsInserted(parent, start, end);
    if (!m_appendedRowsLayout.isActive()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(std::chrono::nanoseconds(waitNanoseconds));
        m_appendedRowsLayout.start(wait);
    }
}

void FileListView::layOutWaitingRows()
{
    if (m_appendedRowsLayout.isActive())
        doItemsLayout();
}

void FileListView::doItemsLayout()
{
    // Every layout takes in all rows, including those still waiting.
    m_appendedRowsLayout.stop();
    QElapsedTimer clock;
    clock.start();
    QTreeView::doItemsLayout();
    m_layoutNanoseconds = clock.nsecsElapsed();
    m_sinceLayout.start();
}

void FileListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // Whoever asks for a row to be shown gets it, laid out or not.
    layOutWaitingRows();
    QTreeView::scrollTo(index, hint);
}

QModelIndex FileListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Keys such as End and Page Down go by the rows laid out.
    layOutWaitingRows();
    return QTreeView::moveCursor(cursorAction, modifiers);
}

} // namespace corvanta
