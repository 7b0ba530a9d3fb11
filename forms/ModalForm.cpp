#include "ModalForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QVariant>

#include <utility>

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

// A window that code running later may still call into. A form of ours is
// gone as soon as its own destructor has run; any other window when Qt has
// deleted it.
class LiveWindow {
public:
    explicit LiveWindow(QWidget* pWindow = nullptr)
        : m_window(pWindow)
    {
        if (auto* pForm = dynamic_cast<ActivatableForm*>(pWindow)) {
            m_lifetime = pForm->Lifetime();
            m_bForm = true;
        }
    }
    QWidget* get() const { return m_window && !(m_bForm && m_lifetime.expired()) ? m_window.data() : nullptr; }

private:
    QPointer<QWidget> m_window;
    std::weak_ptr<void> m_lifetime;
    bool m_bForm = false;
};

void RunActivation(QWidget* pWindow);

// Holds back an activation handler while a mouse button is down: moving the
// focus in the middle of a press would cancel the click it belongs to. The
// handler runs once every button is up and the release has been handled.
class ActivationAfterPress : public QObject {
public:
    using QObject::QObject;

    void Defer(QWidget* pForm)
    {
        m_form = LiveWindow(pForm);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::MouseButtonRelease && QGuiApplication::mouseButtons() == Qt::NoButton) {
            qApp->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] { Run(); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    void Run()
    {
        if (QWidget* pForm = std::exchange(m_form, LiveWindow()).get())
            RunActivation(pForm);
    }

    LiveWindow m_form;
};

// Runs the window's activation handler, now or, while a mouse button is
// down, once it is released.
void RunActivation(QWidget* pWindow)
{
    auto* pActivatable = dynamic_cast<ActivatableForm*>(pWindow);
    if (!pActivatable)
        return;
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        pActivatable->Form_Activate();
        return;
    }
    static auto* pAfterPress = new ActivationAfterPress(qApp);
    pAfterPress->Defer(pWindow);
}

// Makes pForm the active form; without a window manager nothing else would.
void GiveActivationTo(QWidget* pForm)
{
    NoteActive(pForm);
    pForm->activateWindow();
    RunActivation(pForm);
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
        RunActivation(pWindow);
}

class BlockingModal : public ModalShowing {
public:
    void Show(QWidget* pForm, std::function<void()> onClosed) override
    {
        QEventLoop loop;
        WhenClosed(pForm, [&loop] { loop.quit(); });
        pForm->setWindowModality(Qt::ApplicationModal);
        pForm->show();
        loop.exec(QEventLoop::DialogExec);
        onClosed();
    }
};

} // namespace

template <>
ModalShowing& ServiceSlot<ModalShowing>::Real()
{
    static BlockingModal modal;
    return modal;
}

void WhenClosed(QWidget* pForm, std::function<void()> onClosed)
{
    pForm->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(pForm, &QObject::destroyed, pForm, [onClosed = std::move(onClosed)] { onClosed(); });
}

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
    auto onClosed = [opener = LiveWindow(pOpener), afterClose] {
        if (!opener.get())
            return;
        if (afterClose)
            afterClose();
        if (QWidget* pOpener = opener.get())
            GiveActivationTo(pOpener);
    };
    ServiceSlot<ModalShowing>::Current().Show(pForm, std::move(onClosed));
}

void ReturnActivation(QWidget* pForm, QWidget* pOpener)
{
    if (pOpener && LastActive().form == pForm)
        GiveActivationTo(pOpener);
}
