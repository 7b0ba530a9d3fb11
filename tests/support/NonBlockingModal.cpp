#include "NonBlockingModal.h"

void NonBlockingModal::Show(QWidget* pForm, std::function<void()> onClosed)
{
    forms.append(pForm);
    WhenClosed(pForm, std::move(onClosed));
    pForm->show();
}
