#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QProcessEnvironment;
class QTranslator;

namespace corvanta {

// The languages the program's own texts are translated into, by the names
// their files end with ("de", "pt_BR"), as built into the program.
QStringList translatedLanguages();

// The language to show to someone who reads `uiLanguages`, most wanted first
// (QLocale::uiLanguages(): "de-AT", "pt-Latn-PT", "C"), out of `available`:
// the first of them that is available, by its full name, by its language
// alone ("de-AT" takes "de"), or as the only variant there is of its language
// ("pt" and "pt-PT" take "pt_BR"). Empty means English: English comes first,
// or none of them is available.
QString chosenLanguage(const QStringList &uiLanguages, const QStringList &available);

// The languages the desktop asks for, most wanted first, from Qt's list for
// the system locale (`systemLanguages`) and the environment. Under the C
// locale (LC_ALL, else LC_MESSAGES, else LANG is "C" or "POSIX", or none is
// set) the desktop's programs speak their own English whatever LANGUAGE
// says, and so does this one: the list is then "C" alone.
QStringList desktopLanguages(const QStringList &systemLanguages, const QProcessEnvironment &environment);

// While it lives, the program's texts and Qt's own (dialog buttons, the file
// dialog) are in the language chosen for one who reads `uiLanguages`, most
// wanted first. For English nothing is installed, and every text stays the
// program's own.
class Translations
{
public:
    Translations(const QStringList &uiLanguages, const QString &appFolder);
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

private:
    std::unique_ptr<QTranslator> m_own;
    std::unique_ptr<QTranslator> m_qt;
};

} // namespace corvanta
