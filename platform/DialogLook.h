#pragma once

class QDialog;
class QFont;

// The look that the program's dialogs share with its windows: the windows'
// font, and push buttons that show only their text, whatever icons the
// desktop's style would give them.

// The font that dialogs take from now on.
void SetDialogFont(const QFont& font);

// Gives the dialog that look; call it once its buttons exist.
void FitDialogToProgram(QDialog& dialog);
