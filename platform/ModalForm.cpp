#include "ModalForm.h"

#include <QEventLoop>

namespace {

ModalHandler& CurrentHandler()
{
    static ModalHandler handler;
    return handler;
}

// Runs onClosed once the form is gone. Forms of ours delete themselves when
// they close.
void WhenClosed(QWidget* pForm, std::function<void()> onClosed)
{
    pForm->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(pForm, &QObject::destroyed, pForm, [onClosed = std::move(onClosed)] { onClosed(); });
}

void ShowBlocking(QWidget* pForm, std::function<void()> onClosed)
{
    QEventLoop loop;
    WhenClosed(pForm, [&loop] { loop.quit(); });
    pForm->setWindowModality(Qt::ApplicationModal);
    pForm->show();
    loop.exec(QEventLoop::DialogExec);
    onClosed();
}

} // namespace

void ShowModal(QWidget* pForm, QWidget* pOpener, const std::function<void()>& afterClose)
{
    QPointer<QWidget> opener(pOpener);
    auto* pOpenerForm = dynamic_cast<ActivatableForm*>(pOpener);
    std::weak_ptr<void> openerForm = pOpenerForm ? pOpenerForm->Lifetime() : std::weak_ptr<void>();
    auto onClosed = [opener, openerForm, bOpenerIsForm = pOpenerForm != nullptr, afterClose] {
        if (!opener || (bOpenerIsForm && openerForm.expired()))
            return;
        if (afterClose)
            afterClose();
        if (!opener)
            return;
        // Without a window manager nothing would hand the activation back.
        opener->activateWindow();
        if (auto* pActivatable = dynamic_cast<ActivatableForm*>(opener.data()))
            pActivatable->Form_Activate();
    };
    if (CurrentHandler())
        CurrentHandler()(pForm, std::move(onClosed));
    else
        ShowBlocking(pForm, std::move(onClosed));
}

ModalHandler SetModalHandler(ModalHandler handler)
{
    ModalHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

NonBlockingModal::NonBlockingModal()
{
    m_previous = SetModalHandler([this](QWidget* pForm, std::function<void()> onClosed) {
        forms.append(pForm);
        WhenClosed(pForm, std::move(onClosed));
        pForm->show();
    });
}

NonBlockingModal::~NonBlockingModal()
{
    SetModalHandler(std::move(m_previous));
}
