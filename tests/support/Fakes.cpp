#include "support/Fakes.h"

#include <QTest>

namespace corvanta::testing {

namespace {

void failUnscripted(QStringList &unexpected, const QString &question)
{
    unexpected.append(question);
    QTest::qFail(qPrintable(QStringLiteral("a question the test did not script: ") + question), __FILE__, __LINE__);
}

} // namespace

QStringList FakeDialogs::messageTexts() const
{
    QStringList texts;
    for (const Asked &question : asked) {
        if (question.kind == QLatin1String("message"))
            texts.append(question.text);
    }
    return texts;
}

MessageAnswer FakeDialogs::message(QWidget *, const QString &text, MessageStyle style,
                                   const QString &title)
{
    Asked question{QStringLiteral("message"), text, title, style, false, {}};
    asked.append(question);
    if (onAsk)
        onAsk(question);
    if (messageAnswers.isEmpty()) {
        // An OK-only box needs no script: there is only one answer.
        if (!isQuestion(style))
            return MessageAnswer::Ok;
        failUnscripted(unexpected, QStringLiteral("question: ") + text);
        return MessageAnswer::No;
    }
    return messageAnswers.dequeue();
}

QString FakeDialogs::inputBox(QWidget *, const QString &prompt, const QString &title, bool masked)
{
    Asked question{QStringLiteral("input"), prompt, title, MessageStyle::Ok, masked, {}};
    asked.append(question);
    if (onAsk)
        onAsk(question);
    if (inputAnswers.isEmpty()) {
        failUnscripted(unexpected, QStringLiteral("input: ") + prompt);
        return QString();
    }
    return inputAnswers.dequeue();
}

QStringList FakeDialogs::openFiles(QWidget *, const QString &title, const QString &filter)
{
    Asked question{QStringLiteral("open"), QString(), title, MessageStyle::Ok, false, filter};
    asked.append(question);
    if (onAsk)
        onAsk(question);
    if (openAnswers.isEmpty()) {
        failUnscripted(unexpected, QStringLiteral("open-file dialog: ") + title);
        return {};
    }
    return openAnswers.dequeue();
}

QString FakeDialogs::pickFolder(QWidget *, const QString &title)
{
    Asked question{QStringLiteral("folder"), QString(), title, MessageStyle::Ok, false, {}};
    asked.append(question);
    if (onAsk)
        onAsk(question);
    if (folderAnswers.isEmpty()) {
        failUnscripted(unexpected, QStringLiteral("folder picker: ") + title);
        return QString();
    }
    return folderAnswers.dequeue();
}

} // namespace corvanta::testing
