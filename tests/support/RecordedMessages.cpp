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
    return request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::OK;
}
