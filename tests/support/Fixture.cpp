#include "support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace corvanta::testing {

void isolateHome(const QString &home)
{
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
}

QString isolatedDesktop()
{
    return QDir::homePath() + QStringLiteral("/Desktop");
}

void writePdf(const QString &path, int pages, const QString &label)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A6));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(20, 40, QStringLiteral("%1 page %2").arg(label).arg(page));
    }
}

QStringList listPaths(int count)
{
    QStringList paths;
    for (int i = 1; i <= count; ++i)
        paths.append(QStringLiteral("/docs/%1.pdf").arg(i));
    return paths;
}

FormFixture::FormFixture()
{
    appFolder = root.filePath(QStringLiteral("app"));
    QDir().mkpath(appFolder);
    settingsFile = root.filePath(QStringLiteral("settings/Quillmoor.conf"));
}

Services FormFixture::services()
{
    Services result;
    result.dialogs = &dialogs;
    result.shell = &shell;
    result.appFolder = QDir::toNativeSeparators(appFolder);
    result.settingsFile = settingsFile;
    result.reminderDraw = [this] { return reminderDraw; };
    result.endProgram = [this] { ++programEnded; };
    return result;
}

Form1 &FormFixture::load()
{
    form.reset();
    form = std::make_unique<Form1>(services());
    form->Form_Load();
    return *form;
}

} // namespace corvanta::testing
