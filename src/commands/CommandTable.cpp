#include "commands/CommandTable.h"

#include "app/Site.h"

namespace corvanta {

const std::vector<CommandRow> &commandTable()
{
    using Id = CommandId;
    using Place = CommandPlace;
    static const std::vector<CommandRow> table = {
        {Id::AddFilesButton, QStringLiteral("Add Files"), Place::Toolbar, false, QStringLiteral("add-files"), {},
         QStringLiteral("Choose PDF files to add to the end of the list")},
        {Id::AddFolderButton, QStringLiteral("Add Folder"), Place::Toolbar, false, QStringLiteral("add-folder"), {},
         QStringLiteral("Choose a folder; its PDF files and those of its sub-folders are added to the list")},
        {Id::ClearListButton, QStringLiteral("Clear List"), Place::Toolbar, false, QStringLiteral("clear-list"), {},
         QStringLiteral("Remove every file from the list")},
        {Id::StartJoiningButton, QStringLiteral("Start Joining"), Place::Toolbar, false,
         QStringLiteral("start-joining"), QKeySequence(Qt::CTRL | Qt::Key_J),
         QStringLiteral("Join the listed files, from top to bottom, into joined.pdf on the Desktop")},

        {Id::AddFilesEntry, QStringLiteral("&Add Files"), Place::FileMenu, false, QStringLiteral("add-files"),
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {Id::AddFolderEntry, QStringLiteral("Add &Folder"), Place::FileMenu, false, QStringLiteral("add-folder"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {Id::ClearSelectedEntry, QStringLiteral("&Clear Selected Files"), Place::FileMenu, true,
         QStringLiteral("clear-selected")},
        {Id::ClearAllEntry, QStringLiteral("&Clear All Files"), Place::FileMenu, false, QStringLiteral("clear-list")},
        {Id::ExitEntry, QStringLiteral("&Exit"), Place::FileMenu, true, QStringLiteral("exit"),
         QKeySequence(Qt::CTRL | Qt::Key_Q)},

        {Id::LoadSamplesEntry, QStringLiteral("&Load Sample/Example Files To Test With"), Place::HelpMenu, false,
         QStringLiteral("load-samples")},
        {Id::FaqEntry, QStringLiteral("Quillmoor &FAQ"), Place::HelpMenu, false, QStringLiteral("faq")},
        {Id::DemoVideoEntry, QStringLiteral("&Watch Old Demo Video"), Place::HelpMenu, false,
         QStringLiteral("demo-video")},
        {Id::AdditionalHelpEntry, QStringLiteral("&Additional Help"), Place::HelpMenu, false,
         QStringLiteral("additional-help")},
        {Id::HomePageEntry,
         QStringLiteral("&Go To ") + QLatin1String(site::kSiteName) + QStringLiteral(" For More Apps"),
         Place::HelpMenu, false, QStringLiteral("go-to-site")},
    };
    return table;
}

const CommandRow *findCommand(int id)
{
    for (const CommandRow &row : commandTable()) {
        if (int(row.id) == id)
            return &row;
    }
    return nullptr;
}

QString placeTitle(CommandPlace place)
{
    switch (place) {
    case CommandPlace::Toolbar:
        return QStringLiteral("Standard");
    case CommandPlace::FileMenu:
        return QStringLiteral("&File");
    case CommandPlace::HelpMenu:
        return QStringLiteral("&Help");
    }
    return QString();
}

int iconSizeFor(CommandPlace place)
{
    return place == CommandPlace::Toolbar ? 48 : 16;
}

QString commandObjectName(int id)
{
    return QStringLiteral("command%1").arg(id);
}

} // namespace corvanta
