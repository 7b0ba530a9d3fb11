#include "MessageBox.h"

#include "ProgramIdentity.h"

#include "DialogLook.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace {

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
        FitDialogToProgram(box);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    if (request.buttons == MessageButtons::SaveDiscardCancel) {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        FitDialogToProgram(box);
        const int iAnswer = box.exec();
        return iAnswer == QMessageBox::Save    ? MessageAnswer::Save
             : iAnswer == QMessageBox::Discard ? MessageAnswer::Discard
                                               : MessageAnswer::Cancel;
    }
    box.setStandardButtons(QMessageBox::Ok);
    FitDialogToProgram(box);
    box.exec();
    return MessageAnswer::OK;
}

class RealMessageBox : public MessageService {
public:
    // Without a window manager nothing would hand the activation back to the
    // window the box was shown over.
    MessageAnswer Ask(const MessageRequest& request) override
    {
        const QPointer<QWidget> owner = QApplication::activeWindow();
        const MessageAnswer answer = AskUser(request);
        if (owner)
            owner->activateWindow();
        return answer;
    }
};

} // namespace

template <>
MessageService& ServiceSlot<MessageService>::Real()
{
    static RealMessageBox box;
    return box;
}

QString ProgramTitle()
{
    return QString::fromUtf8(kProgramTitle);
}

MessageAnswer ShowMessage(const QString& strText, MessageIcon icon, MessageButtons buttons, const QString& strCaption)
{
    const MessageRequest request{strText, icon, buttons, strCaption.isEmpty() ? ProgramTitle() : strCaption};
    return ServiceSlot<MessageService>::Current().Ask(request);
}

void ShowError(const QString& strText)
{
    ShowMessage(strText, MessageIcon::Critical, MessageButtons::OK, QStringLiteral("Error"));
}
