#pragma once

#include <QString>

#include <memory>

class QSettings;
class QWidget;

namespace corvanta {

// The per-user store: application "Quillmoor", section "Corvanta". Every value
// is text. A store that cannot be read or written is ignored: reads give the
// default and writes are lost.
class SettingsStore
{
public:
    // An empty file name means the user's own store.
    explicit SettingsStore(const QString &file = QString());
    ~SettingsStore();

    QString read(const QString &key, const QString &defaultValue) const;
    void write(const QString &key, const QString &value);

private:
    std::unique_ptr<QSettings> open() const;
    // False for a store far larger than the program ever writes: it is then
    // neither read nor written, and every read gives the default.
    bool usable() const;

    QString m_file;
};

// 0 normal, 1 minimised, 2 maximised.
int windowStateCode(const QWidget *window);

// Stores "Left", "Top", "Width" and "Height" in twips, but only while the
// window is in the normal state.
void SaveWindowPlacement(SettingsStore &store, const QWidget *window);

} // namespace corvanta
