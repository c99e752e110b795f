#include "BenchSupport.h"

#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QDir>

namespace corvanta::testing {

JoinBench::JoinBench(int &argc, char **argv)
{
    isolateHome(m_home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QApplication>(argc, argv);
    useRealPdftk();
    QDir().mkpath(isolatedDesktop());
}

QStringList markedInputs(const QString &folder, const QString &stem, int count, int pages)
{
    QStringList paths;
    QDir().mkpath(QDir(folder).filePath(stem));
    for (int i = 1; i <= count; ++i) {
        paths.append(QDir(folder).filePath(QStringLiteral("%1/%2.pdf").arg(stem).arg(i)));
        writeMarkedPdf(paths.last(), i, pages);
    }
    return paths;
}

} // namespace corvanta::testing
