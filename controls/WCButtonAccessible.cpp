#include "WCButtonAccessible.h"

#include "WCButton.h"

#include <QAccessibleWidget>

namespace {

class WCButtonAccessible : public QAccessibleWidget {
public:
    explicit WCButtonAccessible(WCButton* pButton)
        : QAccessibleWidget(pButton, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("Click()"));
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name)
            return Button()->Caption();
        return QAccessibleWidget::text(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.disabled = !Button()->Enabled();
        state.pressed = false;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& strAction) override
    {
        // Pressing through assistive technology is a click.
        if (strAction == pressAction() && Button()->Enabled())
            emit Button()->Click();
    }

private:
    WCButton* Button() const { return static_cast<WCButton*>(widget()); }
};

QAccessibleInterface* CreateAccessible(const QString& strClassName, QObject* pObject)
{
    if (strClassName == QLatin1String("WCButton") && pObject && pObject->isWidgetType())
        return new WCButtonAccessible(static_cast<WCButton*>(pObject));
    return nullptr;
}

} // namespace

void InstallWCButtonAccessibility()
{
    static const bool bInstalled = [] {
        QAccessible::installFactory(CreateAccessible);
        return true;
    }();
    (void)bInstalled;
}
