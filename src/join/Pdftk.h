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
// well. A stale or broken archive the JVM ignores. A native pdftk is run
// as it is.
struct PdftkStart
{
    QProcessEnvironment environment;
    QString archive;       // the archive in use or being made; "" for none
    bool makesArchive = false;

    static PdftkStart forProgram(const QString &program, const QString &cacheFolder);
    // Keeps the archive being made once pdftk has ended well, and removes
    // a half-made one otherwise.
    void settle(bool endedWell) const;
};

// Whether `program` is a script that runs pdftk on Java, as Debian's is.
bool runsOnJava(const QString &program);

} // namespace corvanta
