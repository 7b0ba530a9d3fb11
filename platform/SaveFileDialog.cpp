#include "SaveFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

class RealSaveDialog : public SaveDialogService {
public:
    std::optional<QString> Ask(QWidget* pParent, const SaveDialogRequest& request) override
    {
        QFileDialog dialog(pParent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(DialogFilter(request.strFilter));
        dialog.setDefaultSuffix(request.strDefaultExt);
        const bool bChosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        // Without a window manager nothing would hand the activation back.
        if (pParent)
            pParent->activateWindow();
        if (!bChosen)
            return std::nullopt;
        return dialog.selectedFiles().first();
    }
};

} // namespace

template <>
SaveDialogService& ServiceSlot<SaveDialogService>::Real()
{
    static RealSaveDialog dialog;
    return dialog;
}

std::optional<QString> ShowSaveDialog(QWidget* pParent, const QString& strFilter, const QString& strDefaultExt)
{
    const SaveDialogRequest request{strFilter, strDefaultExt};
    const std::optional<QString> strChosen = ServiceSlot<SaveDialogService>::Current().Ask(pParent, request);
    if (!strChosen || strChosen->isEmpty())
        return std::nullopt;
    return WithDefaultExtension(*strChosen, strDefaultExt);
}

QString DialogFilter(const QString& strPairFilter)
{
    const QStringList parts = strPairFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString strPatterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString strShown = QLatin1Char('(') + strPatterns + QLatin1Char(')');
        filters.append(parts[i].contains(strShown) ? parts[i] : parts[i] + QLatin1Char(' ') + strShown);
    }
    return filters.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& strFileName, const QString& strDefaultExt)
{
    if (strDefaultExt.isEmpty() || QFileInfo(strFileName).fileName().contains(QLatin1Char('.')))
        return strFileName;
    return strFileName + QLatin1Char('.') + strDefaultExt;
}
