#pragma once

#include "ServiceSlot.h"

#include <QString>

// Message boxes described by four parameters: text, icon, buttons and
// caption. Every message of the program goes through ShowMessage, so that
// tests can put a recorder in the place of a real, blocking dialog.

enum class MessageIcon { None, Critical, Information };
enum class MessageButtons { OK, YesNo, SaveDiscardCancel };
enum class MessageAnswer { OK, Yes, No, Save, Discard, Cancel };

struct MessageRequest {
    QString strText;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::OK;
    QString strCaption;
};

// The program's title, shown by message boxes without a caption of their own.
QString ProgramTitle();

// Shows the message and returns the user's answer. An empty caption shows the
// program's title. With Yes and No, Yes is the default button and Esc answers
// No; with Save, Discard and Cancel, Save is the default and Esc cancels.
// Line breaks may be written as CR LF.
MessageAnswer ShowMessage(const QString& strText, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::OK, const QString& strCaption = QString());

// A refusal of what the user asked for: a critical message under the
// caption "Error".
void ShowError(const QString& strText);

// Where ShowMessage hands its requests (the caption already filled in): the
// real message box, unless a stand-in has taken its place.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer Ask(const MessageRequest& request) = 0;
};

template <>
MessageService& ServiceSlot<MessageService>::Real();
