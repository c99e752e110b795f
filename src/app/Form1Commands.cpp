// The window's commands: the command bars and their dispatch, and the
// procedures they call, which forward to the file list and the join.

#include "app/Form1.h"

#include "commands/CommandBars.h"
#include "commands/CommandTable.h"
#include "commands/LinkCommands.h"
#include "core/ErrorReport.h"
#include "core/Site.h"
#include "filelist/AddingFiles.h"
#include "filelist/FileListModel.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QToolBar>

namespace corvanta {

void Form1::CreateToolbar()
{
    QToolBar *toolbar = buildToolbar(this, [this](int id) { CommandBars_Execute(id); });
    addToolBar(Qt::TopToolBarArea, toolbar);
    // The keyboard goes from the list to its option, then along the buttons.
    QWidget *previous = Check1;
    for (QAction *action : toolbar->actions()) {
        QWidget *button = toolbar->widgetForAction(action);
        setTabOrder(previous, button);
        previous = button;
    }
}

void Form1::CreateMenu()
{
    buildMenus(menuBar(), [this](int id) { CommandBars_Execute(id); });
}

void Form1::CommandBars_Execute(int id)
{
    const CommandRow *row = findCommand(id);
    if (!row)
        return;
    switch (row->id) {
    case CommandId::AddFilesButton:
    case CommandId::AddFilesEntry:
        AddFiles();
        return;
    case CommandId::AddFolderButton:
    case CommandId::AddFolderEntry:
        AddFolder();
        return;
    case CommandId::ClearListButton:
    case CommandId::ClearAllEntry:
        ClearList();
        return;
    case CommandId::StartJoiningButton:
        Start();
        return;
    case CommandId::ClearSelectedEntry:
        ClearSelected();
        return;
    case CommandId::ExitEntry: {
        // The same road as the close box: store the placement and end.
        int cancel = 0;
        Form_Unload(cancel);
        return;
    }
    case CommandId::LoadSamplesEntry:
        LoadSampleFiles();
        return;
    case CommandId::FaqEntry:
        OpenWithShell(shell(), QLatin1String(site::kFaqPage));
        return;
    case CommandId::DemoVideoEntry:
        OpenWithShell(shell(), demoVideoTarget(appFolder()));
        return;
    case CommandId::AdditionalHelpEntry:
        say(contactMessageText());
        return;
    case CommandId::HomePageEntry:
        OpenWithShell(shell(), QLatin1String(site::kHomePage));
        return;
    }
}

void Form1::AddFiles()
{
    addChosenFiles(*this, *m_fileList);
}

void Form1::AddFolder()
{
    addChosenFolder(*this, *m_fileList);
}

void Form1::LoadSampleFiles()
{
    addSampleFiles(*this, *m_fileList);
}

bool Form1::ListView1_OLEDragOver(const QMimeData *data) const
{
    return carriesFiles(data);
}

void Form1::ListView1_OLEDragDrop(const QMimeData *data)
{
    addDroppedFiles(*this, *m_fileList, data);
}

void Form1::addStartupPaths(const QStringList &paths, const LeftOut &leftOut)
{
    corvanta::addStartupPaths(*this, *m_fileList, paths, leftOut);
}

void Form1::Start()
{
    m_joiner.Start();
}

} // namespace corvanta
