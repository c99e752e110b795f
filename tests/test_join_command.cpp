// The join's argument list, its output path and the handles.

#include "join/JoinCommand.h"
#include "support/Fixture.h"

using namespace corvanta;
using namespace corvanta::testing;

Q_DECLARE_METATYPE(QList<corvanta::JoinEntry>)

namespace {

QList<JoinEntry> entries(const QStringList &pathsAndPasswords)
{
    QList<JoinEntry> result;
    for (int i = 0; i + 1 < pathsAndPasswords.size(); i += 2)
        result.append({pathsAndPasswords.at(i), pathsAndPasswords.at(i + 1)});
    return result;
}

const QString kWinOut = QStringLiteral("C:\\Users\\Owner\\Desktop\\\\joined.pdf");

} // namespace

class JoinCommandTest : public QObject
{
    Q_OBJECT
private slots:
    void handles_data();
    void handles();
    void outputPath_data();
    void outputPath();
    void blankPasswordsChangeNothing();
    void handlesPastZ();
    void argumentList_data();
    void argumentList();
};

void JoinCommandTest::handles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("handle");
    QTest::newRow("first") << 0 << "A";
    QTest::newRow("second") << 1 << "B";
    QTest::newRow("26th") << 25 << "Z";
    QTest::newRow("27th") << 26 << "AA";
    QTest::newRow("28th") << 27 << "AB";
    QTest::newRow("52nd") << 51 << "AZ";
    QTest::newRow("53rd") << 52 << "BA";
    QTest::newRow("702nd") << 701 << "ZZ";
    QTest::newRow("703rd") << 702 << "AAA";
}

void JoinCommandTest::handles()
{
    QFETCH(int, index);
    QFETCH(QString, handle);
    QCOMPARE(joinHandle(index), handle);
}

void JoinCommandTest::outputPath_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("output");
    QTest::newRow("Windows Desktop keeps the doubled separator")
        << "C:\\Users\\Owner\\Desktop\\" << "\\" << "C:\\Users\\Owner\\Desktop\\\\joined.pdf";
    QTest::newRow("drive root loses one") << "C:\\" << "\\" << "C:\\joined.pdf";
    QTest::newRow("share is left alone")
        << "\\\\server\\home\\Desktop\\" << "\\" << "\\\\server\\home\\Desktop\\\\joined.pdf";
    QTest::newRow("POSIX Desktop") << "/home/owner/Desktop/" << "/" << "/home/owner/Desktop//joined.pdf";
}

void JoinCommandTest::outputPath()
{
    QFETCH(QString, desktop);
    QFETCH(QString, separator);
    QFETCH(QString, output);
    QCOMPARE(JoinOutputPath(desktop, separator.at(0)), output);
}

void JoinCommandTest::blankPasswordsChangeNothing()
{
    const QList<JoinEntry> off = entries({"C:\\a.pdf", "", "C:\\b.pdf", ""});
    // A cancelled prompt and a blank answer both give "", exactly like no prompt.
    const QList<JoinEntry> onButBlank = entries({"C:\\a.pdf", QString(), "C:\\b.pdf", QStringLiteral("")});
    QCOMPARE(BuildJoinCommand("pdftk", onButBlank, kWinOut).arguments,
             BuildJoinCommand("pdftk", off, kWinOut).arguments);
    // A password of blanks is a password.
    QCOMPARE(BuildJoinCommand("pdftk", entries({"C:\\a.pdf", " "}), kWinOut).arguments.mid(0, 3),
             QStringList({"A=C:\\a.pdf", "input_pw", "A= "}));
}

void JoinCommandTest::handlesPastZ()
{
    QList<JoinEntry> list;
    for (int i = 1; i <= 27; ++i)
        list.append({QStringLiteral("/in/%1.pdf").arg(i), QStringLiteral("pw%1").arg(i)});
    list.insert(3, {QStringLiteral("/in/open.pdf"), QString()});

    const QStringList arguments = BuildJoinCommand("pdftk", list, "/out.pdf").arguments;
    QCOMPARE(arguments.mid(3, 2), QStringList({"/in/open.pdf", "D=/in/4.pdf"}));
    QCOMPARE(arguments.at(26), "Z=/in/26.pdf");
    QCOMPARE(arguments.at(27), "AA=/in/27.pdf");
    QCOMPARE(arguments.mid(28, 2), QStringList({"input_pw", "A=pw1"}));
    QCOMPARE(arguments.mid(arguments.size() - 7),
             QStringList({"input_pw", "Z=pw26", "input_pw", "AA=pw27", "cat", "output", "/out.pdf"}));
    QVERIFY(!arguments.join(' ').contains(QLatin1Char('[')));
}

void JoinCommandTest::argumentList_data()
{
    QTest::addColumn<QList<JoinEntry>>("list");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("Windows paths, the output's doubled separator kept")
        << entries({"C:\\Docs\\a.pdf", "", "C:\\My Docs\\b.pdf", ""}) << kWinOut
        << QStringList{"C:\\Docs\\a.pdf", "C:\\My Docs\\b.pdf", "cat", "output", kWinOut};
    QTest::newRow("first and third protected")
        << entries({"/1.pdf", "one", "/2.pdf", "", "/3.pdf", "three"}) << "/out//joined.pdf"
        << QStringList{"A=/1.pdf", "/2.pdf", "B=/3.pdf", "input_pw", "A=one",
                       "input_pw", "B=three", "cat", "output", "/out//joined.pdf"};
    QTest::newRow("quotes, blanks and = stay as typed")
        << entries({"/x/\"q\" a.pdf", " a \"b\" = c "}) << "/out//joined.pdf"
        << QStringList{"A=/x/\"q\" a.pdf", "input_pw", "A= a \"b\" = c ", "cat", "output", "/out//joined.pdf"};
}

void JoinCommandTest::argumentList()
{
    QFETCH(QList<JoinEntry>, list);
    QFETCH(QString, output);
    QFETCH(QStringList, arguments);
    const JoinProcessCommand command = BuildJoinCommand("/usr/bin/pdftk", list, output);
    QCOMPARE(command.program, "/usr/bin/pdftk");
    QCOMPARE(command.arguments, arguments);
}

CORVANTA_TEST_MAIN(JoinCommandTest)
#include "test_join_command.moc"
