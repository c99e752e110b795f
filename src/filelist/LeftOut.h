#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace corvanta {

// Why a scan, a drop or a start-up path left something out of the list for a
// reason the user cannot see there. The rules the user knows ("~" names,
// hidden folders, links to folders, file-system metadata) are not among them.
enum class LeftOutReason { NameNotUtf8, FolderUnreadable, PathTooLong };

// What was left out: the first few for the message, and how many in all.
class LeftOut
{
public:
    struct Item
    {
        QString shownPath; // for reading only; never a path to open
        LeftOutReason reason;
        QString detail; // the system's own words, where it gave any
    };

    static constexpr int kNamed = 5;

    void add(const QString &shownPath, LeftOutReason reason, const QString &detail = QString());
    bool isEmpty() const { return m_count == 0; }
    qsizetype count() const { return m_count; }
    const QList<Item> &named() const { return m_named; }

private:
    QList<Item> m_named;
    qsizetype m_count = 0;
};

// The one message after a scan or drop; empty when nothing was left out.
QString leftOutMessage(const LeftOut &leftOut);

// Whether a file name's bytes are valid UTF-8, the only form in which the
// program can hand a path on to pdftk unchanged.
bool isValidUtf8(const QByteArray &name);

// The bytes as text for a message: valid UTF-8 as it is, every other byte as
// "\xFF", so that the user can still recognise the file.
QString shownBytes(const QByteArray &raw);

} // namespace corvanta
