#include "ScriptedSaveDialog.h"

std::optional<QString> ScriptedSaveDialog::Ask(QWidget*, const SaveDialogRequest& request)
{
    requests.append(request);
    return answers.isEmpty() ? std::nullopt : answers.takeFirst();
}
