// The program in each of its languages, and translation files that keep up
// with the sources.

#include "app/Translations.h"
#include "commands/CommandTable.h"
#include "filelist/FileListModel.h"
#include "join/JoinMessages.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

struct TsMessage
{
    QString source;
    QString translation;
    QString type; // "", "unfinished", "vanished" or "obsolete"
};

// The text of the element the reader stands on; lupdate writes a CR as <byte value="xd"/>.
QString elementText(QXmlStreamReader &reader)
{
    QString text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isCharacters())
            text += reader.text();
        else if (reader.isStartElement() && reader.name() == QLatin1String("byte"))
            text += QChar(reader.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
        else if (reader.isEndElement() && reader.name() != QLatin1String("byte"))
            break;
    }
    return text;
}

QList<TsMessage> readTs(const QString &path)
{
    QList<TsMessage> messages;
    QXmlStreamReader reader(fileBytes(path));
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("source")) {
            messages.append({elementText(reader), {}, {}});
        } else if (reader.name() == QLatin1String("translation") && !messages.isEmpty()) {
            messages.last().type = reader.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = elementText(reader);
        }
    }
    if (reader.hasError())
        qWarning() << path << reader.errorString();
    return messages;
}

QString translationsFolder()
{
    return qEnvironmentVariable("CORVANTA_SOURCE_DIR") + QStringLiteral("/translations");
}

QStringList tsFiles()
{
    return QDir(translationsFolder()).entryList({QStringLiteral("corvanta_*.ts")}, QDir::Files, QDir::Name);
}

// What a translation must keep of its source: the placeholders, the line
// breaks and the number of access-key marks.
QString shape(const QString &text)
{
    QStringList marks;
    for (const auto &match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        marks.append(match.captured());
    marks.sort();
    return QStringLiteral("%1 | %2 LF | %3 CR | %4 &")
        .arg(marks.join(QLatin1Char(' ')), QString::number(text.count(QLatin1Char('\n'))),
             QString::number(text.count(QLatin1Char('\r'))), QString::number(text.count(QLatin1Char('&'))));
}

QChar accessKey(const QString &caption)
{
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toLower() : QChar();
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void languageFollowsTheDesktop_data();
    void languageFollowsTheDesktop();
    void windowAndMessagesInTheLanguage_data();
    void windowAndMessagesInTheLanguage();
    void everyTsFileIsBuiltIn();
    void tsFilesAreFinished_data();
    void tsFilesAreFinished();

private:
    QTemporaryDir m_files;
    QString m_protected;
    QSet<QString> m_currentSources;
};

void TranslationsTest::initTestCase()
{
    QVERIFY(m_files.isValid());
    const QString plain = m_files.filePath(QStringLiteral("plain.pdf"));
    writePdf(plain, 1);
    m_protected = m_files.filePath(QStringLiteral("secret.pdf"));
    QVERIFY(encryptPdf(plain, m_protected, QStringLiteral("secret")));

    // The texts of the sources as they are now, collected by the build as
    // the update target does (tests/CMakeLists.txt).
    const QString ts = qEnvironmentVariable("CORVANTA_BINARY_DIR") + QStringLiteral("/tests/current-texts.ts");
    QVERIFY2(QFileInfo::exists(ts), qPrintable(ts));
    for (const TsMessage &message : readTs(ts))
        m_currentSources.insert(message.source);
    QVERIFY(m_currentSources.size() > 50);
}

void TranslationsTest::languageFollowsTheDesktop_data()
{
    QTest::addColumn<QString>("uiLanguages"); // as Qt gives them for the system locale
    QTest::addColumn<QString>("environment"); // the locale's variables
    QTest::addColumn<QString>("language");

    QTest::newRow("German in Germany") << "de-DE,de-Latn-DE,de" << "LANG=de_DE.UTF-8" << "de";
    QTest::newRow("French in Canada") << "fr-CA,fr-Latn-CA" << "LANG=fr_CA.UTF-8" << "fr";
    QTest::newRow("Brazilian Portuguese") << "pt-BR,pt-Latn-BR,pt" << "LANG=pt_BR.UTF-8" << "pt_BR";
    QTest::newRow("Portuguese in Portugal reads Brazilian") << "pt-PT,pt-Latn-PT" << "LANG=pt_PT.UTF-8" << "pt_BR";
    QTest::newRow("POSIX name") << "it_IT.UTF-8@euro" << "LC_ALL=it_IT.UTF-8@euro" << "it";
    QTest::newRow("Dutch, then Spanish") << "nl,nl-Latn-NL,nl-NL,es,es-Latn-ES" << "LANGUAGE=nl:es LANG=nl_NL.UTF-8"
                                         << "es";
    QTest::newRow("English before German") << "en,en-Latn-US,en-US,de" << "LANG=en_US.UTF-8" << "";
    QTest::newRow("only Dutch") << "nl-NL,nl" << "LANG=nl_NL.UTF-8" << "";
    // The C locale ignores LANGUAGE, as gettext does.
    QTest::newRow("LC_ALL=C with LANGUAGE") << "de,C" << "LANGUAGE=de LC_ALL=C LANG=de_DE.UTF-8" << "";
    QTest::newRow("LANG=C with LANGUAGE") << "de,C" << "LANGUAGE=de LANG=C" << "";
    QTest::newRow("LC_MESSAGES=POSIX") << "fr,C" << "LANGUAGE=fr LC_MESSAGES=POSIX LANG=fr_FR.UTF-8" << "";
    QTest::newRow("C.UTF-8") << "it,C" << "LANGUAGE=it LANG=C.UTF-8" << "";
    QTest::newRow("no locale at all") << "es,C" << "LANGUAGE=es" << "";
    QTest::newRow("LC_ALL over LANG=C") << "de,de-DE" << "LANGUAGE=de LC_ALL=de_DE.UTF-8 LANG=C" << "de";
}

void TranslationsTest::languageFollowsTheDesktop()
{
    QFETCH(QString, uiLanguages);
    QFETCH(QString, environment);
    QProcessEnvironment variables;
    for (const QString &assignment : environment.split(QLatin1Char(' ')))
        variables.insert(assignment.section(QLatin1Char('='), 0, 0), assignment.section(QLatin1Char('='), 1));
    QTEST(chosenLanguage(desktopLanguages(uiLanguages.split(QLatin1Char(',')), variables), translatedLanguages()),
          "language");
}

void TranslationsTest::windowAndMessagesInTheLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("toolbar");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("header");   // how the list's header begins
    QTest::addColumn<QString>("question"); // how the offer to show the samples begins
    QTest::addColumn<QString>("passwordTitle");
    QTest::addColumn<QString>("quoted");   // the option as the advice to tick it quotes it
    QTest::addColumn<QString>("yes");      // Qt's own button

    QTest::newRow("de") << QLocale(QStringLiteral("de_DE"))
                        << QStringList{"Dateien hinzufügen", "Ordner hinzufügen", "Liste leeren", "Zusammenfügen starten"}
                        << "Nach den Passwörtern geschützter PDF-Dateien fragen" << "PDF-Dateien - Dateien hierher"
                        << "Soll der Ordner geöffnet werden" << "Passwort eingeben" << "„%1“" << "&Ja";
    QTest::newRow("fr") << QLocale(QStringLiteral("fr_FR"))
                        << QStringList{"Ajouter des fichiers", "Ajouter un dossier", "Vider la liste", "Lancer la fusion"}
                        << "Demander les mots de passe des fichiers PDF protégés" << "Fichiers PDF - Glissez-déposez"
                        << "Voulez-vous que ce logiciel" << "Saisir le mot de passe" << "«\u00a0%1\u00a0»" << "&Oui";
    QTest::newRow("es") << QLocale(QStringLiteral("es_ES"))
                        << QStringList{"Añadir archivos", "Añadir carpeta", "Vaciar lista", "Iniciar unión"}
                        << "Pedir las contraseñas de los archivos PDF protegidos" << "Archivos PDF - Arrastre"
                        << "¿Desea que este programa" << "Introducir contraseña" << "«%1»" << "&Sí";
    QTest::newRow("it") << QLocale(QStringLiteral("it_IT"))
                        << QStringList{"Aggiungi file", "Aggiungi cartella", "Svuota elenco", "Avvia unione"}
                        << "Chiedi le password dei file PDF protetti" << "File PDF - Trascina"
                        << "Vuoi che questo programma" << "Inserisci password" << "«%1»" << "&Sì";
    QTest::newRow("pt_BR") << QLocale(QStringLiteral("pt_BR"))
                           << QStringList{"Adicionar arquivos", "Adicionar pasta", "Limpar lista", "Iniciar junção"}
                           << "Pedir a senha dos arquivos PDF protegidos por senha" << "Arquivos PDF - Arraste"
                           << "Deseja que este programa" << "Digite a senha" << "“%1”" << "&Sim";
    QTest::newRow("C, after the others: the program's own English")
        << QLocale::c() << QStringList{"Add Files", "Add Folder", "Clear List", "Start Joining"}
        << "Prompt for password because PDF files are password protected" << "PDF Files - Drag and drop"
        << "Would you like this software" << "Input Password" << "\"%1\"" << "&Yes";
}

void TranslationsTest::windowAndMessagesInTheLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, toolbar);
    QFETCH(QString, option);
    QFETCH(QString, header);
    QFETCH(QString, question);
    QFETCH(QString, passwordTitle);
    QFETCH(QString, quoted);

    FormFixture window;
#ifdef Q_OS_WIN
    // Installed, Qt's own translations are in a folder beside the program.
    const QDir qt(qEnvironmentVariable("CORVANTA_QT_TRANSLATIONS"));
    QVERIFY(QDir().mkpath(window.appFolder + "/translations"));
    for (const QString &name : qt.entryList({"qtbase_*.qm"}))
        QVERIFY(QFile::copy(qt.filePath(name), window.appFolder + "/translations/" + name));
#endif
    const Translations translations(locale.uiLanguages(), window.appFolder);
    // Qt's own texts; the program's own are the captions below.
    QTEST(QCoreApplication::translate("QPlatformTheme", "&Yes"), "yes");

    // The window's captions.
    Form1 &form = window.load();
    QStringList captions;
    for (CommandId id : {CommandId::AddFilesButton, CommandId::AddFolderButton, CommandId::ClearListButton,
                         CommandId::StartJoiningButton})
        captions.append(form.findChild<QAction *>(commandObjectName(int(id)))->text());
    QCOMPARE(captions, toolbar);
    QCOMPARE(form.Check1->text(), option);
    const QString shownHeader = fileListOf(form)->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
    QVERIFY2(shownHeader.startsWith(header), qPrintable(shownHeader));

    // The menus' access keys: shared exactly where the English ones are.
    for (CommandPlace place : {CommandPlace::FileMenu, CommandPlace::HelpMenu}) {
        QStringList shown;
        QStringList english;
        for (const CommandRow &row : commandTable()) {
            if (row.place == place) {
                shown.append(commandCaption(row));
                english.append(QString::fromUtf8(row.caption));
            }
        }
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QVERIFY2(!accessKey(shown[i]).isNull(), qPrintable(shown[i]));
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                QVERIFY2((accessKey(shown[i]) == accessKey(shown[j])) == (accessKey(english[i]) == accessKey(english[j])),
                         qPrintable(shown[i] + QStringLiteral(" / ") + shown[j]));
            }
        }
    }
    const QChar fileKey = accessKey(placeTitle(CommandPlace::FileMenu));
    QVERIFY(!fileKey.isNull() && fileKey != accessKey(placeTitle(CommandPlace::HelpMenu)));

    // A question.
    window.dialogs.messageAnswers.enqueue(MessageAnswer::No);
    form.CommandBars_Execute(int(CommandId::LoadSamplesEntry));
    QCOMPARE(window.dialogs.asked.size(), 1);
    QVERIFY2(window.dialogs.asked.last().text.startsWith(question), qPrintable(window.dialogs.asked.last().text));

    // A warning from the join, which quotes the option it advises to tick.
    JoinFixture refused;
    refused.host.paths = {m_protected};
    refused.start();
    QCOMPARE(refused.host.fakeDialogs.asked.size(), 1);
    const QString warning = refused.host.fakeDialogs.asked.last().text;
    QVERIFY2(warning.contains(quoted.arg(option)), qPrintable(warning));

    // The password prompt; a blank answer for a protected file asks once more.
    JoinFixture prompted;
    prompted.host.paths = {m_protected};
    prompted.host.prompts = true;
    prompted.host.fakeDialogs.inputAnswers << QString() << QString();
    prompted.start();
    QCOMPARE(prompted.host.fakeDialogs.asked.size(), 2);
    QCOMPARE(prompted.host.fakeDialogs.asked.first().title, passwordTitle);
    QCOMPARE(prompted.host.fakeDialogs.asked.last().title, passwordTitle);
    QCOMPARE(prompted.host.fakeDialogs.asked.last().text, neededPasswordPrompt(m_protected));
}

void TranslationsTest::everyTsFileIsBuiltIn()
{
    QStringList languages;
    for (const QString &file : tsFiles())
        languages.append(file.mid(int(qstrlen("corvanta_"))).chopped(3));
    QCOMPARE(translatedLanguages(), languages);
    QCOMPARE(languages, (QStringList{"de", "es", "fr", "it", "pt_BR"}));
}

void TranslationsTest::tsFilesAreFinished_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : tsFiles())
        QTest::newRow(qPrintable(file)) << file;
}

// A text added or changed in the sources without its translations fails
// here, as does a translation that lost a placeholder, a line break or its
// access key.
void TranslationsTest::tsFilesAreFinished()
{
    QFETCH(QString, file);
    QStringList faults;
    QSet<QString> sources;
    for (const TsMessage &message : readTs(translationsFolder() + QLatin1Char('/') + file)) {
        sources.insert(message.source);
        if (!message.type.isEmpty())
            faults.append(message.type + QStringLiteral(": ") + message.source);
        else if (shape(message.translation) != shape(message.source))
            faults.append(QStringLiteral("keeps %1 of %2: %3")
                              .arg(shape(message.translation), shape(message.source), message.source));
    }
    for (const QString &source : m_currentSources - sources)
        faults.append(QStringLiteral("missing (run the update_translations target): ") + source);
    for (const QString &source : sources - m_currentSources)
        faults.append(QStringLiteral("no longer in the sources: ") + source);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

CORVANTA_TEST_MAIN(TranslationsTest)
#include "test_translations.moc"
