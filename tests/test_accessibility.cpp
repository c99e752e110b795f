// Using the window without a mouse, seeing where the keyboard is, and what a
// screen reader is told about the window.
#include "commands/CommandTable.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "support/Fixture.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QProgressBar>
#include <QToolBar>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

QWidget *toolbarButton(Form1 &form, CommandId id)
{
    auto *toolbar = form.findChild<QToolBar *>(QStringLiteral("Standard"));
    return toolbar->widgetForAction(form.findChild<QAction *>(commandObjectName(int(id))));
}

void showActive(Form1 &form)
{
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void tabGoesFromTheListToTheCheckBox()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(listPaths(2));
        showActive(form);
        form.ListView1->setFocus();
        QTest::keyClick(form.ListView1, Qt::Key_Tab);
        QVERIFY(form.Check1->hasFocus());
        QTest::keyClick(form.Check1, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(form.ListView1->hasFocus());
    }

    void listShowsWhetherItHasTheFocus()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(listPaths(2));
        showActive(form);
        FileListView *list = form.ListView1;
        list->setCurrentIndex(fileListOf(form)->index(0, 0));
        const QRect row = list->visualRect(fileListOf(form)->index(0, 0));
        const QPoint inRow = list->viewport()->mapTo(list, row.topLeft() + QPoint(2, row.height() / 2));
        const QPoint onFrame(0, list->height() / 2);

        list->setFocus();
        const QImage focused = list->grab().toImage();
        form.Check1->setFocus();
        QVERIFY(!list->hasFocus());
        const QImage unfocused = list->grab().toImage();

        // Not merely another shade: a change the eye catches.
        const auto clearlyDifferent = [](QRgb a, QRgb b) {
            return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 120;
        };
        QVERIFY(clearlyDifferent(focused.pixel(inRow), unfocused.pixel(inRow))); // the selection
        QVERIFY(clearlyDifferent(focused.pixel(onFrame), unfocused.pixel(onFrame))); // the frame
    }

    void controlsHaveNamesAndDescriptions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");

        QTest::newRow("list") << "ListView1" << int(QAccessible::Tree) << "Files to join";
        QTest::newRow("check box") << "Check1" << int(QAccessible::CheckBox)
                                   << "Prompt for password because PDF files are password protected";
        QTest::newRow("progress bar") << "ProgressBar1" << int(QAccessible::ProgressBar) << "Join progress";
        QTest::newRow("Add Files") << "1000" << int(QAccessible::Button) << "Add Files";
        QTest::newRow("Add Folder") << "1001" << int(QAccessible::Button) << "Add Folder";
        QTest::newRow("Clear List") << "1003" << int(QAccessible::Button) << "Clear List";
        QTest::newRow("Start Joining") << "1002" << int(QAccessible::Button) << "Start Joining";
        QTest::newRow("toolbar's overflow") << "qt_toolbar_ext_button" << int(QAccessible::CheckBox)
                                            << "More toolbar buttons";
    }

    void controlsHaveNamesAndDescriptions()
    {
        QFETCH(QString, control);
        FormFixture fixture;
        Form1 &form = fixture.load();
        bool isId = false;
        const int id = control.toInt(&isId);
        QWidget *widget = isId ? toolbarButton(form, CommandId(id)) : form.findChild<QWidget *>(control);
        QVERIFY(widget);

        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QTEST(int(accessible->role()), "role");
        QTEST(accessible->text(QAccessible::Name), "name");
        const QString description = accessible->text(QAccessible::Description);
        QVERIFY(!description.isEmpty());
        QVERIFY(description != accessible->text(QAccessible::Name));
    }

    void keysPressTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    void keysPressTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        FormFixture fixture;
        Form1 &form = fixture.load();
        showActive(form);
        QWidget *button = toolbarButton(form, CommandId::StartJoiningButton);
        button->setFocus();
        QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // With nothing listed, Start Joining says so, once.
        QCOMPARE(fixture.dialogs.messageTexts(), QStringList{"No files added."});
    }

    void itemsSayWhatAndWhereTheyAre()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.show();
        fileListOf(form)->append(listPaths(3));
        QApplication::processEvents(); // the view lays its rows out late
        QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(form.ListView1)->tableInterface();
        QVERIFY(table);
        const auto cell = [&](int row) { return table->cellAt(row, 0); };
        QCOMPARE(cell(1)->text(QAccessible::Name), QStringLiteral("/docs/2.pdf"));
        QCOMPARE(cell(1)->text(QAccessible::Description), QStringLiteral("File 2 of 3 to join"));

        // After a move the description follows the new place.
        form.ListView1->setCurrentIndex(fileListOf(form)->index(1, 0));
        QTest::keyClick(form.ListView1, Qt::Key_Down, Qt::ControlModifier);
        QApplication::processEvents();
        QCOMPARE(cell(2)->text(QAccessible::Name), QStringLiteral("/docs/2.pdf"));
        QCOMPARE(cell(2)->text(QAccessible::Description), QStringLiteral("File 3 of 3 to join"));
    }

    void progressBarExposesItsValue_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("text");
        QTest::newRow("idle") << 0.0 << "0%";
        QTest::newRow("one of three") << 100.0 / 3 << "33%";
        QTest::newRow("done") << 100.0 << "100%";
    }

    void progressBarExposesItsValue()
    {
        QFETCH(double, percent);
        FormFixture fixture;
        Form1 &form = fixture.load();
        form.setProgressValue(percent);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(form.ProgressBar1);
        QAccessibleValueInterface *value = accessible->valueInterface();
        QVERIFY(value);
        // In percent, as a screen reader says it, though the bar counts finer.
        QCOMPARE(value->minimumValue().toDouble(), 0.0);
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
        QCOMPARE(qRound(value->currentValue().toDouble() * 100), qRound(percent * 100));
        QTEST(accessible->text(QAccessible::Value), "text");
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Join progress"));
    }
};

CORVANTA_TEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
