#pragma once

#include "SessionFile.h"

#include <QObject>
#include <QString>

class QMainWindow;
class QMenu;

// What a session is taken from and given to: the main window's list, mode,
// switch and the stored view.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    virtual Session CurrentSession() const = 0;
    // Replaces the list, the stored view, the mode and the switch, and
    // closes an open graph window.
    virtual void ApplySession(const Session& session) = 0;
};

// The main window's File menu and what it keeps: the session file open, the
// window title that names it and marks unsaved changes with "*", the last
// sessions opened or saved (in the user's settings), and the question that
// keeps changes from being lost. Until a session is opened or saved the
// title and the closing of the window are as they are without sessions.
class SessionMenu : public QObject {
    Q_OBJECT

public:
    // Adds the File menu to the window's menu bar; its Exit runs exit.
    SessionMenu(QMainWindow& window, SessionHost& host, std::function<void()> exit);

    void NewSession();
    void OpenSession();
    // False when nothing was saved (cancelled, or the write failed).
    bool SaveSession();
    bool SaveSessionAs();
    // Opens a session file; says why and changes nothing when it is refused.
    bool OpenFile(const QString& strFile);

    // The list, the mode, the switch or the stored view may have changed.
    void Changed();
    // Asks whether to save unsaved changes of the open session; false when
    // the user cancels.
    bool MayDiscard();

    const QString& File() const { return m_strFile; }

private:
    void FillRecentMenu();
    void RefillRecentMenu();
    void OpenRecent(const QString& strFile);
    void Remember(const QString& strFile);
    void Forget(const QString& strFile);
    bool SaveTo(const QString& strFile);
    bool Modified() const;
    QString StartFolder() const;

    QMainWindow& m_window;
    SessionHost& m_host;
    QMenu* m_pRecentMenu = nullptr;
    QString m_strFile; // the session open, or empty
    Session m_saved;   // as it was last opened or saved
};
