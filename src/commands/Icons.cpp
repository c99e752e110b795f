#include "commands/Icons.h"

#include "commands/CommandTable.h"

#include <mutex>

// The resources are compiled into the static core library. Nothing refers to
// their object file, so the linker would drop it and with it the registration;
// initialising them by name pulls it in. Q_INIT_RESOURCE must be used outside
// any namespace.
static void initBundledResources()
{
    Q_INIT_RESOURCE(corvanta);
}

namespace corvanta {

namespace {

void ensureResources()
{
    static std::once_flag once;
    std::call_once(once, initBundledResources);
}

} // namespace

QIcon applicationIcon()
{
    ensureResources();
    QIcon icon;
    for (int size : kApplicationIconSizes)
        icon.addFile(QStringLiteral(":/icons/app/%1.png").arg(size), QSize(size, size));
    return icon;
}

QString commandIconPath(int id)
{
    const CommandRow *row = findCommand(id);
    if (!row)
        return QString();
    return QStringLiteral(":/icons/%1/%2.png").arg(iconSizeFor(row->place)).arg(row->iconName);
}

QIcon commandIcon(int id)
{
    ensureResources();
    const QString path = commandIconPath(id);
    if (path.isEmpty())
        return QIcon();
    const int size = iconSizeFor(findCommand(id)->place);
    QIcon icon;
    icon.addFile(path, QSize(size, size));
    return icon;
}

} // namespace corvanta
