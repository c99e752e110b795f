#include "app/Settings.h"

#include "app/Twips.h"

#include <QSettings>
#include <QWidget>

namespace corvanta {

namespace {
const QString kSection = QStringLiteral("Corvanta");
}

SettingsStore::SettingsStore(const QString &file)
    : m_settings(file.isEmpty()
                     ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                   QStringLiteral("Quillmoor"))
                     : std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString &key, const QString &defaultValue) const
{
    const QVariant value = m_settings->value(kSection + QLatin1Char('/') + key);
    return value.isValid() ? value.toString() : defaultValue;
}

void SettingsStore::write(const QString &key, const QString &value)
{
    m_settings->setValue(kSection + QLatin1Char('/') + key, value);
    m_settings->sync();
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
