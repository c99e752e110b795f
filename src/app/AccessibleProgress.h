#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;
class QProgressBar;

namespace corvanta {

// A progress bar may count in finer steps than whole percents, so that it
// can draw fractions. Screen readers must still hear percents ("33%"), not
// the fine count ("3333"). Marks `bar` as counting `stepsPerPercent` steps
// per percent and makes sure its accessible interface reports percents.
void reportProgressInPercent(QProgressBar *bar, int stepsPerPercent);

} // namespace corvanta
