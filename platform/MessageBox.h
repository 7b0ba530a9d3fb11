#pragma once

#include <QList>
#include <QString>

#include <functional>

// Message boxes described by four parameters: text, icon, buttons and
// caption. Every message of the program goes through ShowMessage, so that
// tests can install a recorder instead of a real, blocking dialog.

enum class MessageIcon { None, Critical, Information };
enum class MessageButtons { OK, YesNo };
enum class MessageAnswer { OK, Yes, No };

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
// No. Line breaks may be written as CR LF.
MessageAnswer ShowMessage(const QString& strText, MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::OK, const QString& strCaption = QString());

using MessageHandler = std::function<MessageAnswer(const MessageRequest&)>;

// Replaces the handler that ShowMessage hands its requests to (the caption
// already filled in). Returns the previous handler; an empty handler restores
// the real message box.
MessageHandler SetMessageHandler(MessageHandler handler);

// Test double: while it exists, messages are recorded instead of shown. Each
// message takes the next scripted answer; without one, OK boxes answer OK
// and Yes/No boxes answer Yes (their default button).
class RecordedMessages {
public:
    RecordedMessages();
    ~RecordedMessages();
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    void ScriptAnswer(MessageAnswer answer);

    QList<MessageRequest> messages;

private:
    QList<MessageAnswer> m_scriptedAnswers;
    MessageHandler m_previous;
};
