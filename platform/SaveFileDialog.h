#pragma once

#include "ServiceSlot.h"

#include <QStandardPaths>
#include <QString>

#include <optional>

class QWidget;

// The save-file dialog, asked for with a filter of "description|pattern"
// pairs, a default extension, and where it starts. Every save dialog of the
// program goes through ShowSaveDialog, so that tests can script it.

struct SaveDialogRequest {
    QString strFilter;     // "description|pattern" pairs, "Pictures (*.bmp)|*.bmp"
    QString strDefaultExt; // without the point, "bmp"
    QString strStartFile;  // the folder shown and the name suggested; none when empty
    int iFilter = 0;       // the filter chosen at first, counted from 0
    bool bOpen = false;    // asks for an existing file to open instead
};

// The name the user gave and the filter chosen with it, counted from 0.
struct SaveDialogAnswer {
    QString strFile;
    int iFilter = 0;
};

// Shows the dialog and returns the chosen file name and filter; the real
// dialog gives a name typed without an extension the chosen filter's. What
// the name finally is, the caller decides. Nothing when the user cancels.
std::optional<SaveDialogAnswer> ShowSaveDialog(QWidget* pParent, const SaveDialogRequest& request);

// Where a dialog starts when nothing better is known: the user's folder of
// that kind (pictures, documents) while it is there, else the home folder,
// never the folder the program was started from.
QString UserFolder(QStandardPaths::StandardLocation location);

// A name as typed, with ".ext" added when it has no extension of its own.
QString WithExtension(const QString& strFile, const QString& strExt);

// The same dialog asking for an existing file to open.
std::optional<SaveDialogAnswer> ShowOpenDialog(QWidget* pParent, SaveDialogRequest request);

// The extension that a name saved under filter iFilter gets: the filter's
// pattern when it is a single "*.ext", otherwise the default extension.
QString FilterExtension(const QString& strPairFilter, int iFilter, const QString& strDefaultExt);

// A "description|pattern" filter in the form Qt's file dialog takes:
// "Pictures (*.bmp)|*.bmp" becomes "Pictures (*.bmp)".
// Each description shows its patterns in brackets; pairs are joined by ";;".
QString DialogFilter(const QString& strPairFilter);

// What ShowSaveDialog shows: it gets the request and returns the name the
// user typed with the filter chosen, or nothing for cancel. The real
// dialog, unless a stand-in has taken its place.
class SaveDialogService {
public:
    virtual ~SaveDialogService() = default;
    virtual std::optional<SaveDialogAnswer> Ask(QWidget* pParent, const SaveDialogRequest& request) = 0;
};

template <>
SaveDialogService& ServiceSlot<SaveDialogService>::Real();
