#pragma once

#include "SaveFileDialog.h"

#include <QList>

// While it exists, each save dialog takes the next scripted answer (a typed
// name, or nothing for cancel; cancel when none is left) with the next
// scripted filter (the first when none is left). The requests are recorded.
class ScriptedSaveDialog : public ServiceStandIn<SaveDialogService> {
public:
    std::optional<SaveDialogAnswer> Ask(QWidget* pParent, const SaveDialogRequest& request) override;

    QList<std::optional<QString>> answers;
    QList<int> filters;
    QList<SaveDialogRequest> requests;
};
