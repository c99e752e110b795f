// The file list: removal by every route, and reordering by dragging within
// the list and from the keyboard.
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "support/Fixture.h"

#include <QDropEvent>
#include <QMimeData>

#include <functional>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

void select(Form1 &form, const QList<int> &rows, int current)
{
    QItemSelectionModel *selection = form.ListView1->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(fileListOf(form)->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(fileListOf(form)->index(current, 0), QItemSelectionModel::NoUpdate);
}

} // namespace

// Goes to the newest row of a long list, one way or another.
using Reach = std::function<void(FileListView *view, const QModelIndex &newest)>;
Q_DECLARE_METATYPE(Reach)

class FileListTest : public QObject
{
    Q_OBJECT

private slots:
    void duplicatesAreKeptInOrder()
    {
        FileListModel list;
        list.append(QStringLiteral("/a.pdf"));
        list.append(QStringList{QStringLiteral("/b.pdf"), QStringLiteral("/a.pdf")});
        QCOMPARE(list.paths(), (QStringList{"/a.pdf", "/b.pdf", "/a.pdf"}));
    }

    void clearSelectedKeepsTheRestInOrder()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(listPaths(5));
        select(form, {1, 3}, 3);
        form.ClearSelected();
        QCOMPARE(fileListOf(form)->paths(), (QStringList{"/docs/1.pdf", "/docs/3.pdf", "/docs/5.pdf"}));

        select(form, {}, 0);
        form.ClearSelected();
        QCOMPARE(fileListOf(form)->count(), 3);

        form.ClearList();
        QCOMPARE(fileListOf(form)->count(), 0);
    }

    void deleteKeyAndDoubleClickRemoveOnlyTheCurrentItem()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        fileListOf(form)->append(listPaths(5));
        select(form, {0, 2, 4}, 2);
        QTest::keyClick(form.ListView1, Qt::Key_Delete);
        QCOMPARE(fileListOf(form)->paths(),
                 (QStringList{"/docs/1.pdf", "/docs/2.pdf", "/docs/4.pdf", "/docs/5.pdf"}));

        // Other keys leave the list alone, whatever the modifiers.
        QTest::keyClick(form.ListView1, Qt::Key_Backspace, Qt::ShiftModifier);
        QCOMPARE(fileListOf(form)->count(), 4);

        const QRect first = form.ListView1->visualRect(fileListOf(form)->index(0, 0));
        QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
        QCOMPARE(fileListOf(form)->paths(), (QStringList{"/docs/2.pdf", "/docs/4.pdf", "/docs/5.pdf"}));

        // A double-click on the empty space below the items removes nothing,
        // though an item is still current.
        QVERIFY(form.ListView1->currentIndex().isValid());
        const QRect last = form.ListView1->visualRect(fileListOf(form)->index(2, 0));
        QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier,
                           QPoint(last.center().x(), last.bottom() + 30));
        QCOMPARE(fileListOf(form)->count(), 3);
    }

    // After a removal the item that took the removed one's place is current,
    // or the new last item, so that Delete goes on down the list.
    void removalLeavesTheNextItemCurrent_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("byDoubleClick");
        QTest::addColumn<QString>("nowCurrent"); // empty: no item is current
        QTest::newRow("first") << 5 << 0 << false << "/docs/2.pdf";
        QTest::newRow("in the middle") << 5 << 2 << false << "/docs/4.pdf";
        QTest::newRow("the last") << 5 << 4 << false << "/docs/4.pdf";
        QTest::newRow("the only one") << 1 << 0 << false << "";
        QTest::newRow("in the middle, by double-click") << 5 << 2 << true << "/docs/4.pdf";
    }

    void removalLeavesTheNextItemCurrent()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(bool, byDoubleClick);
        QFETCH(QString, nowCurrent);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        fileListOf(form)->append(listPaths(count));
        select(form, {current}, current);
        if (byDoubleClick) {
            const QRect item = form.ListView1->visualRect(fileListOf(form)->index(current, 0));
            QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
        } else {
            QTest::keyClick(form.ListView1, Qt::Key_Delete);
        }
        QCOMPARE(fileListOf(form)->count(), count - 1);
        const int row = form.ListView1->currentRow();
        QCOMPARE(row >= 0 ? fileListOf(form)->at(row) : QString(), nowCurrent);
    }

    // There is no undo, so only the button people double-click on purpose removes.
    void onlyALeftDoubleClickRemoves_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("left");
        QTest::newRow("left") << Qt::LeftButton << 2;
        QTest::newRow("right") << Qt::RightButton << 3;
        QTest::newRow("middle") << Qt::MiddleButton << 3;
    }

    void onlyALeftDoubleClickRemoves()
    {
        QFETCH(Qt::MouseButton, button);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        fileListOf(form)->append(listPaths(3));
        select(form, {1}, 1);
        const QRect second = form.ListView1->visualRect(fileListOf(form)->index(1, 0));
        QTest::mouseDClick(form.ListView1->viewport(), button, Qt::NoModifier, second.center());
        QTEST(int(fileListOf(form)->count()), "left");
    }

    void removalOnAnEmptyListIsSilent()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        QTest::keyClick(form.ListView1, Qt::Key_Delete);
        QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        form.ClearSelected();
        form.ClearList();
        QCOMPARE(fileListOf(form)->count(), 0);
        QVERIFY(fixture.dialogs.asked.isEmpty());
    }

    void moveKeepsRelativeOrder_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("destination");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two down to the end") << QList<int>{0, 2} << 5 << "2 4 5 1 3";
        QTest::newRow("two up to the start") << QList<int>{3, 1} << 0 << "2 4 1 3 5";
        QTest::newRow("into the middle") << QList<int>{0, 4} << 3 << "2 3 1 5 4";
        QTest::newRow("onto itself") << QList<int>{2} << 2 << "1 2 3 4 5";
        QTest::newRow("just below itself") << QList<int>{2} << 3 << "1 2 3 4 5";
    }

    void moveKeepsRelativeOrder()
    {
        QFETCH(QList<int>, rows);
        QFETCH(int, destination);
        FileListModel list;
        list.append(listPaths(5));
        list.moveRowsTo(rows, destination);
        QString order;
        for (const QString &path : list.paths())
            order += path.mid(6, 1) + QLatin1Char(' ');
        QTEST(order.trimmed(), "expected");
    }

    void droppingOwnItemsReordersWithoutLosingAny()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        FileListModel *list = fileListOf(form);
        list->append(listPaths(5));
        const auto dropRows = [&](QList<int> rows, QPointF at) {
            QModelIndexList indexes;
            for (int row : rows)
                indexes.append(list->index(row, 0));
            std::unique_ptr<QMimeData> mime(list->mimeData(indexes));
            // Qt hands a drop only to the widget that accepted the drag's entry.
            QDragEnterEvent enter(at.toPoint(), Qt::MoveAction | Qt::CopyAction, mime.get(), Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(form.ListView1->viewport(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(at, Qt::MoveAction | Qt::CopyAction, mime.get(), Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(form.ListView1->viewport(), &drop);
            // Reported as a copy, so the drag source never deletes the moved rows.
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
        };

        // Below the last item: to the end, in their order, and still selected.
        const QRect last = form.ListView1->visualRect(list->index(4, 0));
        dropRows({0, 1}, QPointF(last.center().x(), last.bottom() + 40));
        QCOMPARE(list->paths(),
                 (QStringList{"/docs/3.pdf", "/docs/4.pdf", "/docs/5.pdf", "/docs/1.pdf", "/docs/2.pdf"}));
        QCOMPARE(form.ListView1->selectedRowNumbers(), (QList<int>{3, 4}));

        // On the upper half of the first item: to the start.
        const QRect first = form.ListView1->visualRect(list->index(0, 0));
        dropRows({4, 2}, QPointF(first.center().x(), first.top() + 1));
        QCOMPARE(list->paths(),
                 (QStringList{"/docs/5.pdf", "/docs/2.pdf", "/docs/3.pdf", "/docs/4.pdf", "/docs/1.pdf"}));
    }

    void keyboardMovesTheSelectionOnePlace_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("expectedOrder");
        QTest::addColumn<QList<int>>("expectedSelection");

        const int ctrl = Qt::ControlModifier;
        QTest::newRow("one step up") << QList<int>{2, 4} << int(Qt::Key_Up) << ctrl << 1 << "1 3 2 5 4 6"
                                     << QList<int>{1, 3};
        QTest::newRow("one step down") << QList<int>{0, 3} << int(Qt::Key_Down) << ctrl << 1 << "2 1 3 5 4 6"
                                       << QList<int>{1, 4};
        QTest::newRow("scattered, to the top edge") << QList<int>{1, 3, 5} << int(Qt::Key_Up) << ctrl << 4
                                                    << "2 4 6 1 3 5" << QList<int>{0, 1, 2};
        QTest::newRow("scattered, to the bottom edge") << QList<int>{0, 2, 4} << int(Qt::Key_Down) << ctrl << 4
                                                       << "2 4 6 1 3 5" << QList<int>{3, 4, 5};
        QTest::newRow("an item at the top stays, the next closes up")
            << QList<int>{0, 2} << int(Qt::Key_Up) << ctrl << 1 << "1 3 2 4 5 6" << QList<int>{0, 1};
        QTest::newRow("keypad arrows") << QList<int>{5} << int(Qt::Key_Up) << int(ctrl | Qt::KeypadModifier) << 2
                                       << "1 2 3 6 4 5" << QList<int>{3};
        QTest::newRow("nothing selected") << QList<int>{} << int(Qt::Key_Down) << ctrl << 1 << "1 2 3 4 5 6"
                                          << QList<int>{};
        QTest::newRow("without Ctrl nothing moves") << QList<int>{2} << int(Qt::Key_Up) << int(Qt::NoModifier) << 1
                                                    << "1 2 3 4 5 6" << QList<int>{1};
    }

    void keyboardMovesTheSelectionOnePlace()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, presses);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        fileListOf(form)->append(listPaths(6));
        const int current = selected.isEmpty() ? 0 : selected.last();
        select(form, selected, current);
        const QString currentPath = fileListOf(form)->at(current);

        for (int i = 0; i < presses; ++i)
            QTest::keyClick(form.ListView1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QString order;
        for (const QString &path : fileListOf(form)->paths())
            order += path.mid(6, 1) + QLatin1Char(' ');
        QTEST(order.trimmed(), "expectedOrder");
        QList<int> selection = form.ListView1->selectedRowNumbers();
        std::sort(selection.begin(), selection.end());
        QTEST(selection, "expectedSelection");
        // The current item travels with its file, so the next press moves the same files.
        if (modifiers & Qt::ControlModifier)
            QCOMPARE(fileListOf(form)->at(form.ListView1->currentRow()), currentPath);
    }

    // A long list lays out rows appended to it late, so that a scan adding
    // rows all the time is not held up; the newest row must still be there
    // for whoever goes to it.
    void rowsAppendedToALongListCanBeReached_data()
    {
        QTest::addColumn<Reach>("reach");
        QTest::newRow("scrolled to") << Reach([](FileListView *view, const QModelIndex &newest) {
            view->scrollTo(newest);
        });
        QTest::newRow("End key") << Reach([](FileListView *view, const QModelIndex &newest) {
            QTest::keyClick(view, Qt::Key_End);
            QCOMPARE(view->currentIndex(), newest);
        });
        QTest::newRow("left to the event loop") << Reach([](FileListView *view, const QModelIndex &newest) {
            QTRY_VERIFY(!view->visualRect(newest).isEmpty());
            view->scrollToBottom();
        });
    }

    void rowsAppendedToALongListCanBeReached()
    {
        QFETCH(Reach, reach);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        FileListView *view = form.ListView1;
        FileListModel *list = fileListOf(form);
        list->append(listPaths(200000));
        view->setCurrentIndex(list->index(0, 0));
        view->doItemsLayout();
        list->append(QStringLiteral("/docs/newest.pdf"));
        const QModelIndex newest = list->index(list->count() - 1, 0);
        QVERIFY2(view->visualRect(newest).isEmpty(), "the newest row was laid out at once");

        reach(view, newest);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(newest)));
    }

    void foreignDragsAreRefused()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        fileListOf(form)->append(listPaths(2));
        FileListModel otherList;
        otherList.append(listPaths(2));
        QMimeData text;
        text.setText(QStringLiteral("/docs/1.pdf"));
        std::unique_ptr<QMimeData> otherRows(otherList.mimeData({otherList.index(0, 0)}));

        // Neither plain text nor another list's items may land here.
        for (QMimeData *mime : {&text, otherRows.get()}) {
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, mime,
                                  Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(form.ListView1->viewport(), &enter);
            QVERIFY(!enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(form.ListView1->viewport(), &drop);
        }
        QCOMPARE(fileListOf(form)->paths(), listPaths(2));
    }
};

CORVANTA_TEST_MAIN(FileListTest)
#include "test_file_list.moc"
