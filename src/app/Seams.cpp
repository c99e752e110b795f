#include "app/Seams.h"

#include "app/Helpers.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QUrl>

namespace corvanta {

MessageAnswer QtDialogs::message(QWidget *owner, const QString &text, MessageStyle style,
                                 const QString &title)
{
    QMessageBox box(owner);
    box.setWindowTitle(title);
    // Paths and pdftk's words are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
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
    if (!IsQuestion(style))
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDialogs::inputBox(QWidget *owner, const QString &prompt, const QString &title,
                            bool masked)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    // The prompt holds a path, shown as it is, never read as markup.
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
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
    services.appFolder = ApplicationFolder(QCoreApplication::applicationDirPath());
    services.reminderDraw = [] { return int(QRandomGenerator::global()->bounded(1, 101)); };
    // Also ends a loop that a join is waiting in.
    services.endProgram = [] { QCoreApplication::exit(0); };
    return services;
}

} // namespace corvanta
