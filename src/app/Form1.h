#pragma once

#include "app/Seams.h"
#include "app/Settings.h"
#include "filelist/LeftOut.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QMimeData;
class QProgressBar;

namespace corvanta {

class FileListModel;
class FileListView;

// The main window. Its handlers and commands keep the names they have always
// had in this program (Form_Load, Form_Resize, Start, CommandBars_Execute, ...);
// Qt's event overrides only forward to them. Everything else is camelCase.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // Mouse pointer values: 0 default, 11 busy.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kBusyPointer = 11;

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
    void AddStartupPaths(const QStringList &paths, const LeftOut &leftOut = LeftOut());

    // The join.
    void Start();
    bool isJoinRunning() const { return bool(m_cancelRunningJoin); }

    // Command bars.
    void CreateToolbar();
    void CreateMenu();
    void CommandBars_Execute(int id);

    // The password option as the program counts it: 0 unchecked, 1 checked, 2 greyed.
    int passwordOption() const;

    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    // Long work (a folder scan, a join) lets other commands run inside it.
    // Each piece holds the busy pointer while it works; the default pointer
    // comes back only when the last of them ends.
    class LongWork
    {
    public:
        explicit LongWork(Form1 &form);
        ~LongWork();
        LongWork(const LongWork &) = delete;
        LongWork &operator=(const LongWork &) = delete;

    private:
        QPointer<Form1> m_form;
    };
    // Held while files are being added with the event loop running (a folder
    // scan, a drop): until the last of these ends, the list is not complete.
    class AddingFiles
    {
    public:
        explicit AddingFiles(Form1 &form);
        ~AddingFiles();
        AddingFiles(const AddingFiles &) = delete;
        AddingFiles &operator=(const AddingFiles &) = delete;

    private:
        QPointer<Form1> m_form;
    };
    bool isAddingFiles() const { return m_addingFiles > 0; }

    // The optional pointer image from HAND-M.CUR; kept, never selected.
    const std::optional<QCursor> &mouseIcon() const { return m_mouseIcon; }
    // Set once closing has begun; long work stops at its next turn.
    bool isClosing() const { return m_closing; }

    const Services &services() const { return m_services; }
    SettingsStore &settings() { return m_settings; }
    FileListModel *fileList() const { return m_fileList; }

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
    double progressValue() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void describeForScreenReaders();
    void applyPointerRule();
    void showProgress();
    void adoptRealFrame();
    void removeCurrentItem();

    Services m_services;
    SettingsStore m_settings;
    FileListModel *m_fileList = nullptr;
    int m_mousePointer = kDefaultPointer;
    int m_longWork = 0;
    int m_addingFiles = 0;
    std::optional<QCursor> m_mouseIcon;
    bool m_closing = false;
    bool m_frameAdopted = false;
    double m_progressPercent = 0;
    QElapsedTimer m_progressShown;
    QTimer m_progressLater;
    // Set while a join runs; ends pdftk and removes its half-written output.
    std::function<void()> m_cancelRunningJoin;
};

} // namespace corvanta
