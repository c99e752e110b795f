#include "app/Translations.h"

#include "core/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTranslator>

namespace corvanta {

namespace {

const QString kOwnFolder = QStringLiteral(":/translations");
const QString kOwnPrefix = QStringLiteral("corvanta_");

bool isEnglish(const QString &language)
{
    return language == QLatin1String("en") || language == QLatin1String("C") || language == QLatin1String("POSIX");
}

} // namespace

QStringList translatedLanguages()
{
    QStringList languages;
    for (const QString &name : QDir(kOwnFolder).entryList({kOwnPrefix + QStringLiteral("*.qm")}, QDir::Files))
        languages.append(name.mid(kOwnPrefix.size()).chopped(3));
    return languages;
}

QString chosenLanguage(const QStringList &uiLanguages, const QStringList &available)
{
    // "pt-Latn-BR" is language, script, territory; a POSIX name may carry
    // an encoding or a modifier ("de_DE.UTF-8@euro").
    static const QRegularExpression separator(QStringLiteral("[-_]"));
    static const QRegularExpression territory(QStringLiteral("^([A-Z]{2}|[0-9]{3})$"));
    for (const QString &wanted : uiLanguages) {
        const QStringList parts =
            wanted.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0).split(separator);
        const QString language = parts.first();
        if (isEnglish(language))
            return QString();
        if (parts.size() > 1 && territory.match(parts.last()).hasMatch()) {
            const QString full = language + QLatin1Char('_') + parts.last();
            if (available.contains(full))
                return full;
        }
        if (available.contains(language))
            return language;
        const QStringList variants =
            available.filter(QRegularExpression(QStringLiteral("^%1_").arg(QRegularExpression::escape(language))));
        if (variants.size() == 1)
            return variants.first();
    }
    return QString();
}

QStringList desktopLanguages(const QStringList &systemLanguages, const QProcessEnvironment &environment)
{
    QString messages;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = environment.value(QLatin1String(name));
        if (!messages.isEmpty())
            break;
    }
    // "C.UTF-8" is the C locale with another encoding.
    const QString base = messages.section(QLatin1Char('.'), 0, 0);
    if (messages.isEmpty() || base == QLatin1String("C") || base == QLatin1String("POSIX"))
        return {QStringLiteral("C")};
    return systemLanguages;
}

namespace {

// Where Qt's own translations (qtbase_<language>.qm) are looked for: a
// "translations" folder beside the executable first, as a Windows install
// ships them, then Qt's own folder.
QStringList qtTranslationFolders(const QString &appFolder)
{
    return {joinPath(appFolder, QStringLiteral("translations")), QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

} // namespace

Translations::Translations(const QStringList &uiLanguages, const QString &appFolder)
{
    // Qt's own texts follow the program's language, so a window never mixes
    // two languages: with English, Qt's stay English too.
    const QString language = chosenLanguage(uiLanguages, translatedLanguages());
    if (language.isEmpty())
        return;
    auto own = std::make_unique<QTranslator>();
    if (own->load(kOwnPrefix + language, kOwnFolder) && QCoreApplication::installTranslator(own.get()))
        m_own = std::move(own);
    for (const QString &folder : qtTranslationFolders(appFolder)) {
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_") + language, folder)) {
            if (QCoreApplication::installTranslator(qt.get()))
                m_qt = std::move(qt);
            break;
        }
    }
}

// Each translator leaves the application as it is destroyed.
Translations::~Translations() = default;

} // namespace corvanta
