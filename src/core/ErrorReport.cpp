#include "core/ErrorReport.h"

#include "core/Seams.h"
#include "core/Site.h"
#include "core/Text.h"

namespace corvanta {

QString applicationTitle()
{
    return QStringLiteral("Corvanta").left(39);
}

QString errorReportText(const QString &description, const QString &module, const QString &procedure, int step)
{
    return description + QStringLiteral("\r\n") + QStringLiteral("in Velmira5/20/2014.") + module + QLatin1Char('.')
        + procedure + QLatin1Char(' ') + Text::tr("at line ") + QString::number(step) + QStringLiteral("\r\r")
        + Text::tr("Please email screenshot of this message to ") + QLatin1String(site::kSupportEmail);
}

void ErrorReport(Dialogs &dialogs, QWidget *owner, const QString &description, const QString &module,
                 const QString &procedure, int step)
{
    // A message box shows a lone CR as nothing at all, so each line break
    // becomes a newline on screen while the text itself stays as it is.
    QString shown = errorReportText(description, module, procedure, step);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    dialogs.message(owner, shown, MessageStyle::Warning, Text::tr("Application Error"));
}

} // namespace corvanta
