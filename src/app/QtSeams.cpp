#include "app/QtSeams.h"

#include "core/Files.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QUrl>

namespace corvanta {

namespace {

// The least width at which a dialog's title shows whole in the title bar.
// Window managers draw titles larger or bolder than the dialog's own text,
// beside an icon and three buttons.
int titleBarWidth(const QWidget &dialog, const QString &title)
{
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    constexpr int kIconAndButtons = 160;
    return QFontMetrics(titleFont).horizontalAdvance(title) * 5 / 4 + kIconAndButtons;
}

} // namespace

MessageAnswer QtDialogs::message(QWidget *owner, const QString &text, MessageStyle style,
                                 const QString &title)
{
    QMessageBox box(owner);
    box.setWindowTitle(title);
    // Paths and pdftk's words are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    // A message box sizes itself to its text alone, so a short text left the
    // title cut to "C…" or not shown at all. Its layout's width is the one
    // thing that it keeps.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box, title), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    switch (style) {
    case MessageStyle::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageStyle::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageStyle::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MessageStyle::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    const int pressed = box.exec();
    if (!isQuestion(style))
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDialogs::inputBox(QWidget *owner, const QString &prompt, const QString &title,
                            bool masked)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    // The prompt holds a path, shown as it is: the dialog's label marks an
    // access key with "&" (it has the text field as its buddy), so each "&"
    // is doubled, and it is never read as markup.
    dialog.setLabelText(QString(prompt).replace(QLatin1Char('&'), QStringLiteral("&&")));
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setMinimumWidth(titleBarWidth(dialog, title));
    // A screen reader is told the prompt with a plain line break: the
    // carriage return before it would otherwise be read out as a sign.
    const QString spoken = QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (auto *label = dialog.findChild<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
        label->setAccessibleName(spoken);
    }
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setAccessibleName(spoken);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QStringList QtDialogs::openFiles(QWidget *owner, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileNames(owner, title, QString(), filter);
}

QString QtDialogs::pickFolder(QWidget *owner, const QString &title)
{
    return QFileDialog::getExistingDirectory(owner, title);
}

void DesktopShell::open(const QString &target)
{
    // Web addresses go to the browser as they are; anything else is a local path.
    const QUrl url(target);
    const bool isAddress = !url.scheme().isEmpty() && url.scheme().size() > 1;
    QDesktopServices::openUrl(isAddress ? url : QUrl::fromLocalFile(QDir::fromNativeSeparators(target)));
}

Services defaultServices()
{
    static QtDialogs dialogs;
    static DesktopShell shell;
    Services services;
    services.dialogs = &dialogs;
    services.shell = &shell;
    services.appFolder = applicationFolder(QCoreApplication::applicationDirPath());
    services.reminderDraw = [] { return int(QRandomGenerator::global()->bounded(1, 101)); };
    // Also ends a loop that a join is waiting in.
    services.endProgram = [] { QCoreApplication::exit(0); };
    return services;
}

} // namespace corvanta
