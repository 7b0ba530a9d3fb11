#pragma once

#include "ServiceSlot.h"

#include <QWidget>

#include <functional>
#include <memory>

// A window of ours with an activation handler. The handler runs when the
// window is first shown and when a modal window of ours that it opened
// closes; message boxes and file dialogs do not count.
class ActivatableForm {
public:
    virtual void Form_Activate() = 0;

    // Expires as soon as the form's own destructor has run, before the
    // window's children are deleted, so that a child window closing at that
    // point does not call back into a half-destroyed form.
    std::weak_ptr<void> Lifetime() const { return m_lifetime; }

protected:
    ~ActivatableForm() = default;

private:
    std::shared_ptr<void> m_lifetime = std::make_shared<char>();
};

// Marks a window as one of the program's forms. Message boxes and file
// dialogs are not forms: returning from them is not an activation.
void MarkAsForm(QWidget* pWindow);

// Follows which form of ours is active, so that the user switching from one
// form to another that is shown beside it (the About box and the main
// window) runs the activation handler of the form that becomes active.
// Installing it more than once changes nothing.
void TrackFormActivation();

// Shows pForm modally and returns when it closes; the form deletes itself on
// close. Then afterClose runs (the opener's code that follows the modal
// showing), and then the opener's activation handler; neither runs when the
// opener is gone or being destroyed by then.
void ShowModal(QWidget* pForm, QWidget* pOpener, const std::function<void()>& afterClose = {});

// A form shown beside pOpener without blocking is closing: when it was the
// active form, the activation passes back to pOpener as it does when a modal
// form closes, so that the user's next click there is an ordinary click.
void ReturnActivation(QWidget* pForm, QWidget* pOpener);

// Runs onClosed once pForm is gone. Forms of ours delete themselves when
// they close.
void WhenClosed(QWidget* pForm, std::function<void()> onClosed);

// How ShowModal shows a form: it gets the form and must arrange for onClosed
// to run once the form has closed. Real modal showing, unless a stand-in has
// taken its place.
class ModalShowing {
public:
    virtual ~ModalShowing() = default;
    virtual void Show(QWidget* pForm, std::function<void()> onClosed) = 0;
};

template <>
ModalShowing& ServiceSlot<ModalShowing>::Real();
