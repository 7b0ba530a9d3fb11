#pragma once

#include "ServiceSlot.h"

#include <QString>

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

// What ShowSaveDialog shows: it gets the request and returns the name the
// user typed, or nothing for cancel. The real dialog, unless a stand-in has
// taken its place.
class SaveDialogService {
public:
    virtual ~SaveDialogService() = default;
    virtual std::optional<QString> Ask(QWidget* pParent, const SaveDialogRequest& request) = 0;
};

template <>
SaveDialogService& ServiceSlot<SaveDialogService>::Real();
