#include "ScriptedSaveDialog.h"

std::optional<SaveDialogAnswer> ScriptedSaveDialog::Ask(QWidget*, const SaveDialogRequest& request)
{
    requests.append(request);
    const int iFilter = filters.isEmpty() ? 0 : filters.takeFirst();
    const std::optional<QString> strName = answers.isEmpty() ? std::nullopt : answers.takeFirst();
    if (!strName)
        return std::nullopt;
    return SaveDialogAnswer{*strName, iFilter};
}
