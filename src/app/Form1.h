#pragma once

#include "app/QtSeams.h"
#include "app/Settings.h"
#include "core/Host.h"
#include "filelist/LeftOut.h"
#include "join/JoinRun.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>

#include <optional>

class QCheckBox;
class QGroupBox;
class QMimeData;
class QProgressBar;

namespace corvanta {

class FileListModel;
class FileListView;

// The window's mouse pointer, by the numbers the program has always used.
// 99 is the custom image, which the window never selects itself.
enum class MousePointer : int { Default = 0, Busy = 11, Custom = 99 };

// The password option as the program stores it.
enum class PasswordOption : int { Unchecked = 0, Checked = 1, Greyed = 2 };

// The main window. Its handlers and commands keep the names they have always
// had in this program (Form_Load, Form_Resize, Start, CommandBars_Execute, ...);
// Qt's event overrides only forward to them, and the commands forward to the
// file list, the join and the command bars. Everything else is camelCase.
class Form1 : public QMainWindow, public Host
{
    Q_OBJECT
public:
    explicit Form1(Services services, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up, layout, pointer and closing.
    void Form_Load();
    void Form_Resize();
    void Form_MouseMove();
    void Frame1_MouseMove();
    void Check1_Click();
    void Form_Unload(int &cancel);
    void HomePageReminder();

    // The file list.
    void ListView1_DblClick();
    void ListView1_KeyDown(int key);
    void ListView1_MouseMove();
    void ClearList();
    void ClearSelected();

    // Adding files.
    void AddFiles();
    void AddFolder();
    void LoadSampleFiles();
    bool ListView1_OLEDragOver(const QMimeData *data) const;
    void ListView1_OLEDragDrop(const QMimeData *data);
    // Paths the program was given when it started, appended like dropped
    // files; `leftOut` holds arguments already refused, for the same message.
    void addStartupPaths(const QStringList &paths, const LeftOut &leftOut = LeftOut());

    // The join.
    void Start();

    // Command bars.
    void CreateToolbar();
    void CreateMenu();
    void CommandBars_Execute(int id);

    PasswordOption passwordOption() const;

    // Custom shows the image loaded from HAND-M.CUR, or the default pointer
    // when there is none.
    void setMousePointer(MousePointer pointer);

    const Services &services() const { return m_services; }
    SettingsStore &settings() { return m_settings; }

    QGroupBox *Frame1 = nullptr;
    QCheckBox *Check1 = nullptr;
    FileListView *ListView1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    // Progress bar values keep their fraction (33.33...); the bar shows them
    // on a finer scale than 0 to 100. A long join sets a value per item, but
    // the bar is redrawn at most once a frame (about 60 times a second) and
    // always comes to rest on the latest value.
    static constexpr int kProgressScale = 100;
    static constexpr int kProgressFrameMilliseconds = 16;
    void setProgressValue(double percent);

    // What the file list and the join use of the window.
    QWidget *dialogOwner() override { return this; }
    Dialogs &dialogs() override { return *m_services.dialogs; }
    Shell &shell() override { return *m_services.shell; }
    QString appFolder() const override { return m_services.appFolder; }
    QStringList listedPaths() const override;
    bool promptsForPasswords() const override { return passwordOption() == PasswordOption::Checked; }
    void setProgress(double percent) override { setProgressValue(percent); }
    WorkCount &busy() override { return m_busy; }
    WorkCount &adding() override { return m_adding; }
    bool isClosing() const override { return m_closing; }
    EventTurns eventTurns(KeepGoing keepGoing = {}) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createOption(const QFont &font);
    void createList(const QFont &font);
    void createProgressBar(const QFont &font);
    QSize smallestWholeSize() const;
    void keepControlsWhole();
    void windowShown();
    void describeForScreenReaders();
    void applyPointerRule();
    void showProgress();
    void adoptRealFrame();
    void removeCurrentItem();
    QList<QWidget *> controlsOnTheSurface() const;

    Services m_services;
    SettingsStore m_settings;
    FileListModel *m_fileList = nullptr;
    MousePointer m_mousePointer = MousePointer::Default;
    WorkCount m_busy;
    WorkCount m_adding;
    std::optional<QCursor> m_mouseIcon;
    bool m_closing = false;
    bool m_frameAdopted = false;
    bool m_shown = false;
    double m_progressPercent = 0;
    QElapsedTimer m_progressShown;
    QTimer m_progressLater;
    Joiner m_joiner;
};

} // namespace corvanta
