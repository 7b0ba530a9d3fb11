#include "DialogLook.h"

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QPushButton>

#include <optional>

namespace {

std::optional<QFont>& DialogFont()
{
    static std::optional<QFont> font;
    return font;
}

} // namespace

void SetDialogFont(const QFont& font)
{
    DialogFont() = font;
}

void FitDialogToProgram(QDialog& dialog)
{
    if (DialogFont())
        dialog.setFont(*DialogFont());
    for (QPushButton* pButton : dialog.findChildren<QPushButton*>())
        pButton->setIcon(QIcon());
}
