#pragma once

#include "ModalForm.h"

#include <QList>
#include <QPointer>

// While it exists, ShowModal shows the form without blocking and returns at
// once; the code after the modal showing runs when the form is closed, as it
// would in the real program. The forms opened are listed.
class NonBlockingModal : public ServiceStandIn<ModalShowing> {
public:
    void Show(QWidget* pForm, std::function<void()> onClosed) override;

    QList<QPointer<QWidget>> forms;
};
