#pragma once

#include <QString>

namespace corvanta::testing {

// A real symbolic link, to a folder, a file or nothing at all, for as long
// as the object lives (QFile::link makes a shortcut file on Windows, which
// no program follows). Declared after the folders it is made in, it is gone
// before they are removed: under Wine, their removal would go through it.
class TestLink
{
public:
    TestLink(const QString &target, const QString &link);
    ~TestLink();
    TestLink(const TestLink &) = delete;
    TestLink &operator=(const TestLink &) = delete;

    bool made() const { return m_made; }

private:
    QString m_link;
    bool m_made = false;
};

// A drive letter of its own for a folder, for as long as the object lives
// (as "subst" makes one). Windows only; elsewhere letter() is empty.
class TestDrive
{
public:
    explicit TestDrive(const QString &folder);
    ~TestDrive();
    TestDrive(const TestDrive &) = delete;
    TestDrive &operator=(const TestDrive &) = delete;

    // "T:", or empty when no letter was free.
    QString letter() const { return m_letter; }

private:
    QString m_folder;
    QString m_letter;
};

// Give a file or folder Windows's system or hidden attribute. Elsewhere
// there are no such attributes, and they return false.
bool markAsSystem(const QString &path);
bool markAsHidden(const QString &path);

// Whether an existing part of the path is a link or a junction. Windows
// only: elsewhere a canonical path shows where a link leads, and under Wine
// it does not.
bool passesThroughLink(const QString &path);

// Whether the program runs under Wine, whose registry and user folders are
// a prefix's own: a test may write there what it must never write on a
// user's real Windows.
bool runsUnderWine();

} // namespace corvanta::testing
