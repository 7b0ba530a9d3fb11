#include "SaveFileDialog.h"

#include "DialogLook.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

class RealSaveDialog : public SaveDialogService {
public:
    std::optional<SaveDialogAnswer> Ask(QWidget* pParent, const SaveDialogRequest& request) override
    {
        // The dialog of our own toolkit, so that it takes the program's look.
        QFileDialog dialog(pParent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(request.bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        const QStringList filters = DialogFilter(request.strFilter).split(QStringLiteral(";;"));
        dialog.setNameFilters(filters);
        const auto filterIndex = [&] { return std::max<int>(filters.indexOf(dialog.selectedNameFilter()), 0); };
        const auto followFilter = [&] {
            dialog.setDefaultSuffix(FilterExtension(request.strFilter, filterIndex(), request.strDefaultExt));
        };
        if (request.iFilter > 0 && request.iFilter < filters.size())
            dialog.selectNameFilter(filters[request.iFilter]);
        followFilter();
        if (!request.strStartFile.isEmpty()) {
            const QFileInfo start(request.strStartFile);
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
        FitDialogToProgram(dialog);
        const bool bChosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        // Without a window manager nothing would hand the activation back.
        if (pParent)
            pParent->activateWindow();
        if (!bChosen)
            return std::nullopt;
        return SaveDialogAnswer{dialog.selectedFiles().first(), filterIndex()};
    }
};

} // namespace

template <>
SaveDialogService& ServiceSlot<SaveDialogService>::Real()
{
    static RealSaveDialog dialog;
    return dialog;
}

std::optional<SaveDialogAnswer> ShowSaveDialog(QWidget* pParent, const SaveDialogRequest& request)
{
    std::optional<SaveDialogAnswer> answer = ServiceSlot<SaveDialogService>::Current().Ask(pParent, request);
    if (!answer || answer->strFile.isEmpty())
        return std::nullopt;
    return answer;
}

QString UserFolder(QStandardPaths::StandardLocation location)
{
    const QString strFolder = QStandardPaths::writableLocation(location);
    return !strFolder.isEmpty() && QFileInfo(strFolder).isDir() ? strFolder : QDir::homePath();
}

QString WithExtension(const QString& strFile, const QString& strExt)
{
    return QFileInfo(strFile).suffix().isEmpty() ? strFile + QLatin1Char('.') + strExt : strFile;
}

std::optional<SaveDialogAnswer> ShowOpenDialog(QWidget* pParent, SaveDialogRequest request)
{
    request.bOpen = true;
    return ShowSaveDialog(pParent, request);
}

QString FilterExtension(const QString& strPairFilter, int iFilter, const QString& strDefaultExt)
{
    const QStringList parts = strPairFilter.split(QLatin1Char('|'));
    const qsizetype iPattern = 2 * static_cast<qsizetype>(iFilter) + 1;
    if (iFilter < 0 || iPattern >= parts.size())
        return strDefaultExt;
    static const QRegularExpression singleExtension(QStringLiteral("^\\*\\.(\\w+)$"));
    const QRegularExpressionMatch match = singleExtension.match(parts[iPattern]);
    return match.hasMatch() ? match.captured(1) : strDefaultExt;
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
