#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

MessageHandler& CurrentHandler()
{
    static MessageHandler handler;
    return handler;
}

MessageAnswer AskUser(const MessageRequest& request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.strCaption);
    // The program writes line breaks as CR LF; the dialog wants plain LF.
    QString strText = request.strText;
    strText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(strText);
    box.setTextFormat(Qt::PlainText);
    switch (request.icon) {
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::OK;
}

// Without a window manager nothing would hand the activation back to the
// window the box was shown over.
MessageAnswer ShowRealMessage(const MessageRequest& request)
{
    const QPointer<QWidget> owner = QApplication::activeWindow();
    const MessageAnswer answer = AskUser(request);
    if (owner)
        owner->activateWindow();
    return answer;
}

} // namespace

QString ProgramTitle()
{
    return QStringLiteral("Velmora");
}

MessageAnswer ShowMessage(const QString& strText, MessageIcon icon, MessageButtons buttons, const QString& strCaption)
{
    MessageRequest request{strText, icon, buttons, strCaption.isEmpty() ? ProgramTitle() : strCaption};
    if (CurrentHandler())
        return CurrentHandler()(request);
    return ShowRealMessage(request);
}

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

RecordedMessages::RecordedMessages()
{
    m_previous = SetMessageHandler([this](const MessageRequest& request) {
        messages.append(request);
        if (!m_scriptedAnswers.isEmpty())
            return m_scriptedAnswers.takeFirst();
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::OK;
    });
}

RecordedMessages::~RecordedMessages()
{
    SetMessageHandler(std::move(m_previous));
}

void RecordedMessages::ScriptAnswer(MessageAnswer answer)
{
    m_scriptedAnswers.append(answer);
}
