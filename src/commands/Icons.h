#pragma once

#include <QIcon>

namespace corvanta {

QIcon applicationIcon();

} // namespace corvanta
