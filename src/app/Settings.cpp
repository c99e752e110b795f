#include "app/Settings.h"

#include "app/Twips.h"

#include <QSettings>
#include <QWidget>

namespace corvanta {

namespace {

const QString kSection = QStringLiteral("Corvanta");

#ifdef Q_OS_WIN
// HKCU\Software\Quillmoor\Corvanta holds the values themselves. Qt puts the
// values of a store without an application name under
// ...\Quillmoor\OrganizationDefaults instead.
std::unique_ptr<QSettings> openUserStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quillmoor"), kSection);
}
#else
// ~/.config/Quillmoor.conf, section [Corvanta].
std::unique_ptr<QSettings> openUserStore()
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("Quillmoor"));
    settings->beginGroup(kSection);
    return settings;
}
#endif

} // namespace

SettingsStore::SettingsStore(const QString &file)
    : m_file(file)
{
}

SettingsStore::~SettingsStore() = default;

// Each access opens the store afresh, so a value that could not be written is
// not read back from memory as if it had been.
std::unique_ptr<QSettings> SettingsStore::open() const
{
    if (m_file.isEmpty())
        return openUserStore();
    auto settings = std::make_unique<QSettings>(m_file, QSettings::IniFormat);
    settings->beginGroup(kSection);
    return settings;
}

QString SettingsStore::read(const QString &key, const QString &defaultValue) const
{
    const QVariant value = open()->value(key);
    return value.isValid() ? value.toString() : defaultValue;
}

void SettingsStore::write(const QString &key, const QString &value)
{
    open()->setValue(key, value);
}

SettingsStore::Location SettingsStore::locationOf(const QString &key) const
{
    const auto settings = open();
    const QString group = settings->group();
    return {settings->fileName(), group.isEmpty() ? key : group + QLatin1Char('/') + key};
}

int windowStateCode(const QWidget *window)
{
    if (window->isMinimized())
        return 1;
    if (window->isMaximized() || window->isFullScreen())
        return 2;
    return 0;
}

void SaveWindowPlacement(SettingsStore &store, const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const struct
    {
        const char *key;
        int pixels;
    } placement[] = {
        {"Left", outer.x()}, {"Top", outer.y()}, {"Width", outer.width()}, {"Height", outer.height()}};
    for (const auto &entry : placement) {
        if (windowStateCode(window) == 0)
            store.write(QLatin1String(entry.key), QString::number(qRound(pixelsToTwips(entry.pixels))));
    }
}

} // namespace corvanta
