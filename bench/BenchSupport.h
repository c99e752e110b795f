#pragma once

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace corvanta::testing {

// What a benchmark that joins sets up before it measures: a home folder of
// its own (never the user's), Qt on the offscreen platform unless the
// caller named one, the real pdftk, and an isolated Desktop.
class JoinBench
{
public:
    JoinBench(int &argc, char **argv);
    QApplication &app() { return *m_app; }

private:
    QTemporaryDir m_home;
    std::unique_ptr<QApplication> m_app;
};

// `count` marked PDFs of `pages` pages each, in the folder `stem` below `folder`.
QStringList markedInputs(const QString &folder, const QString &stem, int count, int pages);

} // namespace corvanta::testing
