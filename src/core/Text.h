#pragma once

#include <QCoreApplication>

namespace corvanta {

// Every text the user reads is looked up here, in the one context
// "Corvanta", so that a translation can replace it. The English source text
// is the program's own text, unchanged.
class Text
{
    Q_DECLARE_TR_FUNCTIONS(Corvanta)
};

} // namespace corvanta
