#include "app/AccessibleProgress.h"

#include "core/Text.h"

#include <QAccessibleWidget>
#include <QProgressBar>

#include <cmath>

namespace corvanta {

namespace {

const char kStepsPerPercent[] = "stepsPerPercent";

class PercentProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    PercentProgressAccessible(QProgressBar *bar, int stepsPerPercent)
        : QAccessibleWidget(bar, QAccessible::ProgressBar)
        , m_stepsPerPercent(stepsPerPercent)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return Text::tr("%1%").arg(std::lround(percent(bar()->value())));
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return percent(bar()->value()); }
    // The bar shows progress; nobody sets it from outside.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return percent(bar()->maximum()); }
    QVariant minimumValue() const override { return percent(bar()->minimum()); }
    QVariant minimumStepSize() const override { return 1.0 / m_stepsPerPercent; }

private:
    QProgressBar *bar() const { return static_cast<QProgressBar *>(widget()); }
    double percent(int steps) const { return double(steps) / m_stepsPerPercent; }

    int m_stepsPerPercent;
};

QAccessibleInterface *percentProgressFactory(const QString &, QObject *object)
{
    auto *bar = qobject_cast<QProgressBar *>(object);
    if (!bar)
        return nullptr;
    const int steps = bar->property(kStepsPerPercent).toInt();
    return steps > 0 ? new PercentProgressAccessible(bar, steps) : nullptr;
}

} // namespace

void reportProgressInPercent(QProgressBar *bar, int stepsPerPercent)
{
    // Installing the same factory again is a no-op.
    QAccessible::installFactory(percentProgressFactory);
    bar->setProperty(kStepsPerPercent, stepsPerPercent);
}

} // namespace corvanta
