#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The save-file dialog, asked for with two parameters: a filter of
// "description|pattern" pairs and a default extension. Every save dialog of
// the program goes through ShowSaveDialog, so that tests can script it.

struct SaveDialogRequest {
    QString strFilter;     // "description|pattern" pairs, "Pictures (*.bmp)|*.bmp"
    QString strDefaultExt; // without the point, "bmp"
};

// Shows the dialog and returns the chosen file name, with the default
// extension added when the name has none; nothing when the user cancels.
std::optional<QString> ShowSaveDialog(QWidget* pParent, const QString& strFilter, const QString& strDefaultExt);

// A "description|pattern" filter in the form Qt's file dialog takes:
// "Pictures (*.bmp)|*.bmp" becomes "Pictures (*.bmp)".
// Each description shows its patterns in brackets; pairs are joined by ";;".
QString DialogFilter(const QString& strPairFilter);

// The file name with ".<extension>" added when its last part has no point.
QString WithDefaultExtension(const QString& strFileName, const QString& strDefaultExt);

// Replaces what ShowSaveDialog shows: the handler gets the request and
// returns the name the user typed, or nothing for cancel. Returns the
// previous handler; an empty handler restores the real dialog.
using SaveDialogHandler = std::function<std::optional<QString>(const SaveDialogRequest&)>;
SaveDialogHandler SetSaveDialogHandler(SaveDialogHandler handler);

// Test double: while it exists, each save dialog takes the next scripted
// answer (a typed name, or nothing for cancel; cancel when none is left).
// The requests are recorded.
class ScriptedSaveDialog {
public:
    ScriptedSaveDialog();
    ~ScriptedSaveDialog();
    ScriptedSaveDialog(const ScriptedSaveDialog&) = delete;
    ScriptedSaveDialog& operator=(const ScriptedSaveDialog&) = delete;

    QList<std::optional<QString>> answers;
    QList<SaveDialogRequest> requests;

private:
    SaveDialogHandler m_previous;
};
