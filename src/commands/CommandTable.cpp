#include "commands/CommandTable.h"

#include "core/Site.h"
#include "core/Text.h"

namespace corvanta {

const std::vector<CommandRow> &commandTable()
{
    using Id = CommandId;
    using Place = CommandPlace;
    static const std::vector<CommandRow> table = {
        {Id::AddFilesButton, QT_TRANSLATE_NOOP("Corvanta", "Add Files"), Place::Toolbar, false,
         QStringLiteral("add-files"), QT_TRANSLATE_NOOP("Corvanta", "Choose PDF files to add to the end of the list")},
        {Id::AddFolderButton, QT_TRANSLATE_NOOP("Corvanta", "Add Folder"), Place::Toolbar, false,
         QStringLiteral("add-folder"),
         QT_TRANSLATE_NOOP("Corvanta",
                           "Choose a folder; its PDF files and those of its sub-folders are added to the list")},
        {Id::ClearListButton, QT_TRANSLATE_NOOP("Corvanta", "Clear List"), Place::Toolbar, false,
         QStringLiteral("clear-list"), QT_TRANSLATE_NOOP("Corvanta", "Remove every file from the list")},
        {Id::StartJoiningButton, QT_TRANSLATE_NOOP("Corvanta", "Start Joining"), Place::Toolbar, false,
         QStringLiteral("start-joining"),
         QT_TRANSLATE_NOOP("Corvanta", "Join the listed files, from top to bottom, into joined.pdf on the Desktop")},

        {Id::AddFilesEntry, QT_TRANSLATE_NOOP("Corvanta", "&Add Files"), Place::FileMenu, false,
         QStringLiteral("add-files")},
        {Id::AddFolderEntry, QT_TRANSLATE_NOOP("Corvanta", "Add &Folder"), Place::FileMenu, false,
         QStringLiteral("add-folder")},
        {Id::ClearSelectedEntry, QT_TRANSLATE_NOOP("Corvanta", "&Clear Selected Files"), Place::FileMenu, true,
         QStringLiteral("clear-selected")},
        {Id::ClearAllEntry, QT_TRANSLATE_NOOP("Corvanta", "&Clear All Files"), Place::FileMenu, false,
         QStringLiteral("clear-list")},
        {Id::ExitEntry, QT_TRANSLATE_NOOP("Corvanta", "&Exit"), Place::FileMenu, true, QStringLiteral("exit")},

        {Id::LoadSamplesEntry, QT_TRANSLATE_NOOP("Corvanta", "&Load Sample/Example Files To Test With"),
         Place::HelpMenu, false, QStringLiteral("load-samples")},
        {Id::FaqEntry, QT_TRANSLATE_NOOP("Corvanta", "Quillmoor &FAQ"), Place::HelpMenu, false, QStringLiteral("faq")},
        {Id::DemoVideoEntry, QT_TRANSLATE_NOOP("Corvanta", "&Watch Old Demo Video"), Place::HelpMenu, false,
         QStringLiteral("demo-video")},
        {Id::AdditionalHelpEntry, QT_TRANSLATE_NOOP("Corvanta", "&Additional Help"), Place::HelpMenu, false,
         QStringLiteral("additional-help")},
        // The maker's site name takes the place of %1.
        {Id::HomePageEntry, QT_TRANSLATE_NOOP("Corvanta", "&Go To %1 For More Apps"), Place::HelpMenu, false,
         QStringLiteral("go-to-site")},
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

QString commandCaption(const CommandRow &row)
{
    const QString caption = Text::tr(row.caption);
    return row.id == CommandId::HomePageEntry ? caption.arg(QLatin1String(site::kSiteName)) : caption;
}

QString placeTitle(CommandPlace place)
{
    switch (place) {
    case CommandPlace::Toolbar:
        return Text::tr("Standard");
    case CommandPlace::FileMenu:
        return Text::tr("&File");
    case CommandPlace::HelpMenu:
        return Text::tr("&Help");
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
