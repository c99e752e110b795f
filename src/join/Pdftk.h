#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace corvanta {

// The pdftk to run: the one in the application folder, otherwise the one on
// PATH; "" when there is none.
QString findPdftk(const QString &appFolder);

// pdftk's environment: ours, with a UTF-8 locale so that it reads and writes
// file names that are not plain ASCII.
QProcessEnvironment pdftkEnvironment();

// How one join starts pdftk. pdftk-java spends much of a short run on its
// JVM compiling and loading classes: started as a Java program, it gets
// the JVM options that pay on small and large joins alike, and a
// class-data archive in `cacheFolder`, made by the first join that ends
// well where the folder has room for it. That lean start may only ever
// save time: a run that fails with it is run again as pdftk typed by hand
// runs, and where that one joins, the lean start is given up until pdftk or
// Java changes. A native pdftk is run as it is. Either way pdftk runs in a
// folder of Corvanta's own, so that nothing Java leaves behind (a crash
// log) lands where the user works.
struct PdftkStart
{
    QProcessEnvironment environment;      // of the first run: lean where it can be
    QProcessEnvironment plainEnvironment; // as typed by hand: no options of ours
    QString workingFolder;
    QString archive;       // where this pdftk's archive belongs; "" when nowhere
    bool lean = false;     // whether `environment` holds options of ours
    bool makesArchive = false;

    static PdftkStart forProgram(const QString &program, const QString &cacheFolder);
    // After the runs with `environment`: keeps the archive being made once
    // pdftk has ended well, and removes a half-made one otherwise.
    void settle(bool endedWell) const;
    // After a lean run failed where the plain one joined: no options of
    // ours, and no archive, for this pdftk and this Java from now on.
    void giveUpLean() const;
    // Removes what the JVM left in the working folder.
    void tidy() const;
};

// Whether `program` is a script that runs pdftk on Java, as Debian's is.
bool runsOnJava(const QString &program);

} // namespace corvanta
