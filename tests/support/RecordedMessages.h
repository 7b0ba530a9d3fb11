#pragma once

#include "MessageBox.h"

#include <QList>

// While it exists, messages are recorded instead of shown. Each message takes
// the next scripted answer; without one, OK boxes answer OK and Yes/No boxes
// answer Yes (their default button), and Save, Discard and Cancel boxes
// answer Cancel.
class RecordedMessages : public ServiceStandIn<MessageService> {
public:
    void ScriptAnswer(MessageAnswer answer);

    MessageAnswer Ask(const MessageRequest& request) override;

    QList<MessageRequest> messages;

private:
    QList<MessageAnswer> m_scriptedAnswers;
};
