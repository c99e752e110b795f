#include "support/Fakes.h"

namespace corvanta::testing {

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
        if (!IsQuestion(style))
            return MessageAnswer::Ok;
        unexpected.append(QStringLiteral("question: ") + text);
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
        unexpected.append(QStringLiteral("input: ") + prompt);
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
        unexpected.append(QStringLiteral("open-file dialog: ") + title);
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
        unexpected.append(QStringLiteral("folder picker: ") + title);
        return QString();
    }
    return folderAnswers.dequeue();
}

} // namespace corvanta::testing
