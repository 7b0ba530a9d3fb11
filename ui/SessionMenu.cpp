#include "SessionMenu.h"

#include "MessageBox.h"
#include "SaveFileDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kRecentKey = QStringLiteral("recentSessions");
constexpr int kRecentCount = 8;

QString SessionFilter()
{
    return QObject::tr("Velmora sessions (*.velmora)|*.velmora");
}

QStringList RecentSessions()
{
    return QSettings().value(kRecentKey).toStringList();
}

void SetRecentSessions(const QStringList& files)
{
    QSettings().setValue(kRecentKey, files);
}

} // namespace

SessionMenu::SessionMenu(QMainWindow& window, SessionHost& host, std::function<void()> exit)
    : QObject(&window)
    , m_window(window)
    , m_host(host)
{
    QMenu* pMenu = window.menuBar()->addMenu(tr("&File"));
    pMenu->setObjectName(QStringLiteral("mnuFile"));
    const auto add = [&](const char* pszName, const QString& strCaption, const QKeySequence& keys, auto slot) {
        QAction* pAction = pMenu->addAction(strCaption);
        pAction->setObjectName(QLatin1String(pszName));
        pAction->setShortcut(keys);
        connect(pAction, &QAction::triggered, this, slot);
    };
    add("mnuNew", tr("&New"), QKeySequence(QStringLiteral("Ctrl+N")), [this] { NewSession(); });
    add("mnuOpen", tr("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")), [this] { OpenSession(); });
    add("mnuSave", tr("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), [this] { SaveSession(); });
    add("mnuSaveAs", tr("Save &As..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")), [this] { SaveSessionAs(); });
    m_pRecentMenu = pMenu->addMenu(tr("Open &Recent"));
    m_pRecentMenu->setObjectName(QStringLiteral("mnuOpenRecent"));
    connect(m_pRecentMenu, &QMenu::aboutToShow, this, &SessionMenu::FillRecentMenu);
    pMenu->addSeparator();
    add("mnuExit", tr("E&xit"), QKeySequence(), [exit] { exit(); });
    FillRecentMenu();
}

void SessionMenu::NewSession()
{
    if (!MayDiscard())
        return;
    m_host.ApplySession(Session{});
    m_strFile.clear();
    Changed();
}

void SessionMenu::OpenSession()
{
    if (!MayDiscard())
        return;
    const std::optional<SaveDialogAnswer> answer =
        ShowOpenDialog(&m_window, SaveDialogRequest{SessionFilter(), QString::fromLatin1(kSessionExtension),
                                                    QDir(StartFolder()).filePath(QString()), 0});
    if (answer)
        OpenFile(answer->strFile);
}

bool SessionMenu::OpenFile(const QString& strFile)
{
    const std::variant<Session, QString> opened = OpenSessionFile(strFile);
    if (const QString* pstrRefusal = std::get_if<QString>(&opened)) {
        ShowError(*pstrRefusal);
        return false;
    }
    m_host.ApplySession(std::get<Session>(opened));
    m_strFile = QFileInfo(strFile).absoluteFilePath();
    m_saved = m_host.CurrentSession();
    Remember(m_strFile);
    Changed();
    return true;
}

bool SessionMenu::SaveSession()
{
    return m_strFile.isEmpty() ? SaveSessionAs() : SaveTo(m_strFile);
}

bool SessionMenu::SaveSessionAs()
{
    const QString strName = m_strFile.isEmpty() ? tr("Untitled") + QStringLiteral(".velmora")
                                                : QFileInfo(m_strFile).fileName();
    const std::optional<SaveDialogAnswer> answer =
        ShowSaveDialog(&m_window, SaveDialogRequest{SessionFilter(), QString::fromLatin1(kSessionExtension),
                                                    QDir(StartFolder()).filePath(strName), 0});
    if (!answer)
        return false;
    return SaveTo(WithExtension(answer->strFile, QString::fromLatin1(kSessionExtension)));
}

bool SessionMenu::SaveTo(const QString& strFile)
{
    const Session session = m_host.CurrentSession();
    QString strMessage;
    if (!SaveSessionFile(strFile, session, &strMessage)) {
        ShowError(strMessage);
        return false;
    }
    m_strFile = QFileInfo(strFile).absoluteFilePath();
    m_saved = session;
    Remember(m_strFile);
    Changed();
    return true;
}

void SessionMenu::Changed()
{
    if (m_strFile.isEmpty()) {
        m_window.setWindowModified(false);
        m_window.setWindowTitle(ProgramTitle());
        return;
    }
    m_window.setWindowTitle(QStringLiteral("%1[*] - %2").arg(QFileInfo(m_strFile).fileName(), ProgramTitle()));
    m_window.setWindowModified(Modified());
}

bool SessionMenu::Modified() const
{
    return !m_strFile.isEmpty() && !(m_host.CurrentSession() == m_saved);
}

bool SessionMenu::MayDiscard()
{
    if (!Modified())
        return true;
    switch (ShowMessage(tr("Save changes to %1?").arg(QFileInfo(m_strFile).fileName()), MessageIcon::None,
                        MessageButtons::SaveDiscardCancel)) {
    case MessageAnswer::Save: return SaveSession();
    case MessageAnswer::Discard: return true;
    default: return false;
    }
}

QString SessionMenu::StartFolder() const
{
    // The folder of the last session while it is there, else the user's
    // documents, else the home folder.
    const QStringList recent = RecentSessions();
    const QString strLast = m_strFile.isEmpty() ? recent.value(0) : m_strFile;
    if (!strLast.isEmpty() && QFileInfo(QFileInfo(strLast).absolutePath()).isDir())
        return QFileInfo(strLast).absolutePath();
    return UserFolder(QStandardPaths::DocumentsLocation);
}

void SessionMenu::Remember(const QString& strFile)
{
    QStringList recent = RecentSessions();
    recent.removeAll(strFile);
    recent.prepend(strFile);
    SetRecentSessions(recent.mid(0, kRecentCount));
    RefillRecentMenu();
}

void SessionMenu::Forget(const QString& strFile)
{
    QStringList recent = RecentSessions();
    recent.removeAll(strFile);
    SetRecentSessions(recent);
    RefillRecentMenu();
}

void SessionMenu::RefillRecentMenu()
{
    // Once the action that may have asked for this has done.
    QMetaObject::invokeMethod(this, &SessionMenu::FillRecentMenu, Qt::QueuedConnection);
}

void SessionMenu::FillRecentMenu()
{
    m_pRecentMenu->clear();
    const QStringList recent = RecentSessions();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        QAction* pAction = m_pRecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(recent[i]).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        pAction->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
        const QString strFile = recent[i];
        connect(pAction, &QAction::triggered, this, [this, strFile] { OpenRecent(strFile); });
    }
    m_pRecentMenu->setEnabled(!recent.isEmpty());
}

void SessionMenu::OpenRecent(const QString& strFile)
{
    if (!QFileInfo::exists(strFile)) {
        Forget(strFile);
        ShowError(tr("The session \"%1\" is no longer there; it is taken off the list of recent sessions.")
                      .arg(QDir::toNativeSeparators(strFile)));
        return;
    }
    if (MayDiscard())
        OpenFile(strFile);
}
