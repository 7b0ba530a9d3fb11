#include "ModalForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QVariant>

namespace {

constexpr char kFormProperty[] = "velmoraForm";

// The form that was active last; bAnyForm stays true once a form has been
// active, also when that form has been closed since.
struct ActiveForm {
    QPointer<QWidget> form;
    bool bAnyForm = false;
};

ActiveForm& LastActive()
{
    static ActiveForm last;
    return last;
}

void NoteActive(QWidget* pForm)
{
    LastActive().form = pForm;
    LastActive().bAnyForm = true;
}

bool IsForm(QWidget* pWindow)
{
    return dynamic_cast<ActivatableForm*>(pWindow) || pWindow->property(kFormProperty).toBool();
}

void FocusChanged(QWidget* /*pOld*/, QWidget* pNow)
{
    if (!pNow)
        return;
    QWidget* pWindow = pNow->window();
    ActiveForm& last = LastActive();
    if (!IsForm(pWindow) || pWindow == last.form)
        return;
    const bool bSwitched = last.bAnyForm;
    NoteActive(pWindow);
    if (bSwitched)
        if (auto* pActivatable = dynamic_cast<ActivatableForm*>(pWindow))
            pActivatable->Form_Activate();
}

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

void MarkAsForm(QWidget* pWindow)
{
    pWindow->setProperty(kFormProperty, true);
}

void TrackFormActivation()
{
    static bool bInstalled = false;
    if (bInstalled || !qApp)
        return;
    bInstalled = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, &FocusChanged);
}

void ShowModal(QWidget* pForm, QWidget* pOpener, const std::function<void()>& afterClose)
{
    // Activation passes to the form now and back to the opener when it
    // closes; the handlers below run for those two switches.
    MarkAsForm(pForm);
    NoteActive(pForm);
    // A form of ours is gone as soon as its own destructor has run; any
    // other opener when Qt has deleted it.
    auto* pOpenerForm = dynamic_cast<ActivatableForm*>(pOpener);
    auto openerAlive = [opener = QPointer<QWidget>(pOpener),
                        form = pOpenerForm ? pOpenerForm->Lifetime() : std::weak_ptr<void>(),
                        bForm = pOpenerForm != nullptr] { return opener && !(bForm && form.expired()); };
    auto onClosed = [pOpener, openerAlive, afterClose] {
        if (!openerAlive())
            return;
        if (afterClose)
            afterClose();
        if (!openerAlive())
            return;
        // Without a window manager nothing would hand the activation back.
        NoteActive(pOpener);
        pOpener->activateWindow();
        if (auto* pActivatable = dynamic_cast<ActivatableForm*>(pOpener))
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
