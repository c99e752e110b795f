#include "commands/Icons.h"

#include "commands/CommandTable.h"

#include <QIconEngine>
#include <QPainter>

#include <mutex>

// The resources are compiled into the static core library. Nothing refers to
// their object file, so the linker would drop it and with it the registration;
// initialising them by name pulls it in. Q_INIT_RESOURCE must be used outside
// any namespace.
static void initBundledResources()
{
    Q_INIT_RESOURCE(corvanta);
}

namespace corvanta {

namespace {

void ensureResources()
{
    static std::once_flag once;
    std::call_once(once, initBundledResources);
}

// An icon of one image, read from the resources only when it is first
// drawn: the bars are built before the window shows, and their fourteen
// images would otherwise all be decoded then, the menus' too.
class LazyIconEngine : public QIconEngine
{
public:
    LazyIconEngine(QString path, QSize size)
        : m_path(std::move(path))
        , m_size(size)
    {
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        if (m_image.isNull())
            m_image = QPixmap(m_path);
        return size == m_size ? m_image : m_image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return m_size.boundedTo(size); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {m_size}; }
    QIconEngine *clone() const override { return new LazyIconEngine(*this); }

private:
    QString m_path;
    QSize m_size;
    QPixmap m_image;
};

} // namespace

QIcon applicationIcon(int largest)
{
    ensureResources();
    QIcon icon;
    for (int size : kApplicationIconSizes) {
        if (size <= largest)
            icon.addFile(QStringLiteral(":/icons/app/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QString commandIconPath(int id)
{
    const CommandRow *row = findCommand(id);
    if (!row)
        return QString();
    return QStringLiteral(":/icons/%1/%2.png").arg(iconSizeFor(row->place)).arg(row->iconName);
}

QIcon commandIcon(int id)
{
    ensureResources();
    const QString path = commandIconPath(id);
    if (path.isEmpty())
        return QIcon();
    const int size = iconSizeFor(findCommand(id)->place);
    return QIcon(new LazyIconEngine(path, QSize(size, size)));
}

} // namespace corvanta
