#include "commands/Icons.h"

namespace corvanta {

QIcon applicationIcon()
{
    return QIcon();
}

} // namespace corvanta
