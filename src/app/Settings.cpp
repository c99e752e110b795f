#include "app/Settings.h"

#include "app/Twips.h"
#include "core/Files.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
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
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmoor"),
                                       kSection);
}
#else
// ~/.config/Quillmoor.conf, section [Corvanta].
std::unique_ptr<QSettings> openUserStore()
{
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmoor"));
    settings->beginGroup(kSection);
    return settings;
}
#endif

// The program writes a few short keys. A store far larger than that is no
// store of its; reading it would hold the start for seconds and take memory
// by the hundred megabytes, and a write would read it all again.
constexpr qint64 kLargestStore = 1024 * 1024;

QString userStoreFile()
{
#ifdef Q_OS_WIN
    return QString(); // the registry
#else
    // Where QSettings keeps a user-scope store, found without opening it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Quillmoor.conf");
#endif
}

// A store is a small regular file, or none yet; a pipe or a device in its
// place would hold the window for ever.
bool isUsableStore(const QString &file)
{
    return file.isEmpty() || (isRegularFileOrAbsent(file) && QFileInfo(file).size() <= kLargestStore);
}

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

bool SettingsStore::usable() const
{
    return isUsableStore(m_file.isEmpty() ? userStoreFile() : m_file);
}

QString SettingsStore::read(const QString &key, const QString &defaultValue) const
{
    if (!usable())
        return defaultValue;
    const QVariant value = open()->value(key);
    return value.isValid() ? value.toString() : defaultValue;
}

// An oversized store is left as it is: what it holds is not the program's
// to rewrite.
void SettingsStore::write(const QString &key, const QString &value)
{
    if (usable())
        open()->setValue(key, value);
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
    } placement[] = {{"Left", outer.x()}, {"Top", outer.y()}, {"Width", outer.width()}, {"Height", outer.height()}};
    for (const auto &entry : placement) {
        if (windowStateCode(window) == 0)
            store.write(QLatin1String(entry.key), QString::number(qRound(pixelsToTwips(entry.pixels))));
    }
}

} // namespace corvanta
