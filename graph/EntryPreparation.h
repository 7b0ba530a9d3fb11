#pragma once

#include <QString>

#include <optional>

// A typed expression made ready for the expression list, as the Enter
// button does it: the brackets checked and the missing closing ones added,
// normalised unless that is switched off, and refused when the evaluator
// could not take it or would read it differently from its mathematics.
// The main window and the command line share it, so an expression is
// prepared and refused alike in both.

// Why a text cannot be an entry of the list as it stands (a sample, which is
// added unchanged): too long to keep, too long once written out for
// evaluation, or read differently from what it says (a text of blanks
// included: callers pass over such a text before asking). Nothing when it
// can be one.
std::optional<QString> ListEntryRefusal(const QString& strText);

// Why a list of iCount entries cannot take one more: the list indexes its
// entries with 16-bit numbers.
std::optional<QString> ListFullRefusal(int iCount);

// Whether a text holds nothing but blanks: no expression, so it is passed
// over without a word, as an empty one is.
bool IsBlankEntry(const QString& strText);

struct PreparedEntry {
    QString strEntry;   // the entry for the list; empty when refused or when nothing was typed
    QString strRefusal; // why it was refused; empty when it was not
    // The typed characters the refusal is about, to select in the text box
    // (an empty span marks a place); no span when it is about the whole text.
    // A text of nothing but blanks is passed over: no entry and no refusal.
    qsizetype iProblemStart = -1;
    qsizetype iProblemLength = 0;
};

PreparedEntry PrepareEntry(const QString& strTyped, bool bOptimize);
