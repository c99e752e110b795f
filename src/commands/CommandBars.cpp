#include "commands/CommandBars.h"

#include "app/Form1.h"
#include "app/Helpers.h"
#include "app/Site.h"
#include "commands/CommandTable.h"
#include "commands/Icons.h"
#include "commands/LinkCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace corvanta {

namespace {

// The font of the toolbar, the menu bar and its menus. Regular weight is set
// explicitly, or the window's bold would show through.
QFont commandBarFont()
{
    QFont font(QStringLiteral("Calibri"));
    font.setPointSize(11);
    font.setBold(false);
    return font;
}

} // namespace

QAction *AddControl(QWidget *controls, ControlType type, int id, const QString &caption,
                    bool beginsGroup, const QString &description, int tag, const QString &category)
{
    if (beginsGroup) {
        auto *separator = new QAction(controls);
        separator->setSeparator(true);
        controls->addAction(separator);
    }

    QAction *action = nullptr;
    switch (type) {
    case ControlType::Button:
        action = new QAction(commandIcon(id), caption, controls);
        action->setObjectName(commandObjectName(id));
        break;
    case ControlType::DropDown: {
        auto *menu = new QMenu(caption, controls);
        menu->setFont(controls->font());
        action = menu->menuAction();
        break;
    }
    }
    action->setData(id);
    action->setProperty("description", description);
    action->setProperty("tag", tag);
    action->setProperty("category", category);
    controls->addAction(action);
    return action;
}

namespace {

const QString kCategory = QStringLiteral("Controls");

// The one connection of a command: its action's own trigger. The bars'
// aggregate signals (QMenu::triggered, QToolBar::actionTriggered) stay unused,
// so an action reachable from two bars still runs once.
void connectToDispatch(Form1 *form, QAction *action)
{
    QObject::connect(action, &QAction::triggered, form,
                     [form, action] { form->CommandBars_Execute(action->data().toInt()); });
}

void addCommands(Form1 *form, QWidget *controls, CommandPlace place)
{
    for (const CommandRow &row : commandTable()) {
        if (row.place != place)
            continue;
        QAction *action = AddControl(controls, ControlType::Button, int(row.id), row.caption,
                                     row.beginsGroup, QString(), 0, kCategory);
        action->setShortcut(row.shortcut);
        if (auto *toolbar = qobject_cast<QToolBar *>(controls))
            toolbar->widgetForAction(action)->setAccessibleDescription(row.accessibleDescription);
        connectToDispatch(form, action);
    }
}

} // namespace

void Form1::CreateToolbar()
{
    auto *toolbar = new QToolBar(placeTitle(CommandPlace::Toolbar), this);
    toolbar->setObjectName(QStringLiteral("Standard"));
    toolbar->setFont(commandBarFont());
    toolbar->setIconSize(QSize(iconSizeFor(CommandPlace::Toolbar), iconSizeFor(CommandPlace::Toolbar)));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The controls below sit at fixed positions under the bars, so the toolbar
    // stays docked at the top and cannot be hidden from the context menu.
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolbar);
    addCommands(this, toolbar, CommandPlace::Toolbar);
}

void Form1::CreateMenu()
{
    QMenuBar *bar = menuBar();
    bar->setFont(commandBarFont());
    for (CommandPlace place : {CommandPlace::FileMenu, CommandPlace::HelpMenu}) {
        QAction *dropDown = AddControl(bar, ControlType::DropDown, 0, placeTitle(place), false,
                                       QString(), 0, kCategory);
        auto *menu = dropDown->menu<QMenu *>();
        menu->setObjectName(place == CommandPlace::FileMenu ? QStringLiteral("menuFile")
                                                            : QStringLiteral("menuHelp"));
        addCommands(this, menu, place);
    }
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
        OpenWithShell(*services().shell, QLatin1String(site::kFaqPage));
        return;
    case CommandId::DemoVideoEntry:
        OpenWithShell(*services().shell, DemoVideoTarget(services().appFolder));
        return;
    case CommandId::AdditionalHelpEntry:
        services().dialogs->message(this, ContactMessageText(), MessageStyle::Ok, ApplicationTitle());
        return;
    case CommandId::HomePageEntry:
        OpenWithShell(*services().shell, QLatin1String(site::kHomePage));
        return;
    }
}

} // namespace corvanta
