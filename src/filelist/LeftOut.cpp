#include "filelist/LeftOut.h"

#include "core/Text.h"

namespace corvanta {

void LeftOut::add(const QString &shownPath, LeftOutReason reason, const QString &detail)
{
    if (m_named.size() < kNamed)
        m_named.append({shownPath, reason, detail});
    ++m_count;
}

namespace {

// A path too long to open would fill the screen; its two ends tell it.
QString shortened(const QString &path)
{
    constexpr qsizetype kHead = 40;
    constexpr qsizetype kTail = 80;
    if (path.size() <= kHead + kTail + 1)
        return path;
    return path.left(kHead) + QChar(0x2026) + path.right(kTail);
}

QString reasonText(const LeftOut::Item &item)
{
    QString text;
    switch (item.reason) {
    case LeftOutReason::NameNotUtf8:
        text = Text::tr("the name is not valid UTF-8");
        break;
    case LeftOutReason::FolderUnreadable:
        text = Text::tr("the folder cannot be read");
        break;
    case LeftOutReason::PathTooLong:
        text = Text::tr("the path is too long");
        break;
    }
    if (!item.detail.isEmpty())
        text += QStringLiteral(" (") + item.detail + QLatin1Char(')');
    return text;
}

} // namespace

QString leftOutMessage(const LeftOut &leftOut)
{
    if (leftOut.isEmpty())
        return QString();
    QString text = leftOut.count() == 1 ? Text::tr("1 file or folder was left out:\n")
                                        : Text::tr("%1 files or folders were left out:\n").arg(leftOut.count());
    for (const LeftOut::Item &item : leftOut.named())
        text += QLatin1Char('\n') + Text::tr("%1: %2").arg(shortened(item.shownPath), reasonText(item));
    const qsizetype unnamed = leftOut.count() - leftOut.named().size();
    if (unnamed > 0)
        text += Text::tr("\n… and %1 more.").arg(unnamed);
    return text;
}

bool isValidUtf8(const QByteArray &name)
{
    // Decoding replaces what is not UTF-8 (stray bytes, overlong forms,
    // surrogates) by U+FFFD, so only a valid name comes back byte for byte.
    return QString::fromUtf8(name).toUtf8() == name;
}

QString shownBytes(const QByteArray &raw)
{
    QString shown;
    qsizetype validFrom = 0;
    qsizetype at = 0;
    while (at < raw.size()) {
        // The longest valid sequence at `at` is at most four bytes.
        qsizetype length = 0;
        for (qsizetype tryLength = 1; tryLength <= 4 && at + tryLength <= raw.size(); ++tryLength) {
            if (isValidUtf8(raw.mid(at, tryLength))) {
                length = tryLength;
                break;
            }
        }
        if (length > 0) {
            at += length;
            continue;
        }
        shown += QString::fromUtf8(raw.mid(validFrom, at - validFrom));
        shown += QStringLiteral("\\x") + QStringLiteral("%1").arg(uchar(raw.at(at)), 2, 16, QLatin1Char('0')).toUpper();
        validFrom = ++at;
    }
    return shown + QString::fromUtf8(raw.mid(validFrom));
}

} // namespace corvanta
