#pragma once

#include <QString>

class QWidget;

namespace corvanta {

class Dialogs;

// The program's name as message boxes show it: the product name cut to 39 characters.
QString applicationTitle();

// The error report's exact text, CR/LF layout included.
QString errorReportText(const QString &description, const QString &module, const QString &procedure, int step);
// Shows the report as a warning titled "Application Error".
void ErrorReport(Dialogs &dialogs, QWidget *owner, const QString &description, const QString &module,
                 const QString &procedure, int step);

} // namespace corvanta
