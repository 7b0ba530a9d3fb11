#pragma once

#include <QString>

#include <optional>

// A typed expression made ready for the expression list, as the Enter
// button does it: the brackets checked and the missing closing ones added,
// normalised unless that is switched off, and refused when the evaluator
// could not take it. The main window and the command line share it, so an
// expression is prepared and refused alike in both.

// Why a text cannot be an entry of the list: too long to keep, or too long
// once written out for evaluation. Nothing when it can be one.
std::optional<QString> EntryLengthRefusal(const QString& strText);

// Why a list of iCount entries cannot take one more: the list indexes its
// entries with 16-bit numbers.
std::optional<QString> ListFullRefusal(int iCount);

struct PreparedEntry {
    QString strEntry;   // the entry for the list; empty when refused or when nothing was typed
    QString strRefusal; // why it was refused; empty when it was not
};

PreparedEntry PrepareEntry(const QString& strTyped, bool bOptimize);
