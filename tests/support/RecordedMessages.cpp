#include "RecordedMessages.h"

void RecordedMessages::ScriptAnswer(MessageAnswer answer)
{
    m_scriptedAnswers.append(answer);
}

MessageAnswer RecordedMessages::Ask(const MessageRequest& request)
{
    messages.append(request);
    if (!m_scriptedAnswers.isEmpty())
        return m_scriptedAnswers.takeFirst();
    switch (request.buttons) {
    case MessageButtons::YesNo: return MessageAnswer::Yes;
    case MessageButtons::SaveDiscardCancel: return MessageAnswer::Cancel;
    case MessageButtons::OK: break;
    }
    return MessageAnswer::OK;
}
