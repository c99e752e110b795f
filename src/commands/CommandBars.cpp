#include "commands/CommandBars.h"

#include "commands/CommandTable.h"
#include "commands/Icons.h"
#include "core/Text.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

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

// Enter presses a toolbar button with the focus, as Space does: what the
// keyboard's users expect of any button.
class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!enter || !button || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }
};

} // namespace

QAction *AddControl(QWidget *controls, ControlType type, int id, const QString &caption, bool beginsGroup)
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
    controls->addAction(action);
    return action;
}

namespace {

// The one connection of a command: its action's own trigger. The bars'
// aggregate signals (QMenu::triggered, QToolBar::actionTriggered) stay unused,
// so an action reachable from two bars still runs once.
void addCommands(QWidget *controls, CommandPlace place, const CommandDispatch &dispatch)
{
    for (const CommandRow &row : commandTable()) {
        if (row.place != place)
            continue;
        QAction *action = AddControl(controls, ControlType::Button, int(row.id), commandCaption(row), row.beginsGroup);
        // No command has a shortcut key: the toolbar's buttons are reached
        // with Tab and pressed with Space or Enter, the menus' entries by their
        // access keys.
        if (auto *toolbar = qobject_cast<QToolBar *>(controls)) {
            QWidget *button = toolbar->widgetForAction(action);
            button->setFocusPolicy(Qt::TabFocus);
            // The style draws a button with the focus as it draws one under
            // the mouse; the keyboard's place must stand out on its own.
            button->setStyleSheet(
                QStringLiteral("QToolButton:focus { border: 2px solid palette(highlight); border-radius: 4px; }"));
            button->setAccessibleDescription(Text::tr(row.accessibleDescription));
        }
        const int id = int(row.id);
        QObject::connect(action, &QAction::triggered, controls, [dispatch, id] { dispatch(id); });
    }
}

} // namespace

QToolBar *buildToolbar(QWidget *parent, const CommandDispatch &dispatch)
{
    auto *toolbar = new QToolBar(placeTitle(CommandPlace::Toolbar), parent);
    toolbar->setObjectName(QStringLiteral("Standard"));
    toolbar->setFont(commandBarFont());
    toolbar->setIconSize(QSize(iconSizeFor(CommandPlace::Toolbar), iconSizeFor(CommandPlace::Toolbar)));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The controls below sit at fixed positions under the bars, so the toolbar
    // stays docked at the top and cannot be hidden from the context menu.
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->toggleViewAction()->setVisible(false);
    addCommands(toolbar, CommandPlace::Toolbar, dispatch);
    auto *enterPresses = new EnterPressesButton(toolbar);
    for (QAction *action : toolbar->actions())
        toolbar->widgetForAction(action)->installEventFilter(enterPresses);
    // The button that shows the buttons a narrow window has no room for.
    if (auto *overflow = toolbar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"))) {
        overflow->setAccessibleName(Text::tr("More toolbar buttons"));
        overflow->setAccessibleDescription(Text::tr("Shows the toolbar buttons that do not fit in the window"));
    }
    return toolbar;
}

void buildMenus(QMenuBar *bar, const CommandDispatch &dispatch)
{
    bar->setFont(commandBarFont());
    for (CommandPlace place : {CommandPlace::FileMenu, CommandPlace::HelpMenu}) {
        QAction *dropDown = AddControl(bar, ControlType::DropDown, 0, placeTitle(place), false);
        auto *menu = dropDown->menu<QMenu *>();
        menu->setObjectName(place == CommandPlace::FileMenu ? QStringLiteral("menuFile") : QStringLiteral("menuHelp"));
        addCommands(menu, place, dispatch);
    }
}

} // namespace corvanta
