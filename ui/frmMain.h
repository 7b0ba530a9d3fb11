#pragma once

#include "ModalForm.h"
#include "SampleFolders.h"
#include "SessionMenu.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class GraphServices;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class WCButton;

// The start-up window: expression entry, the list of expressions to plot,
// the sample expressions, the graph mode, and the commands that open the
// other windows.
class frmMain : public QMainWindow, public ActivatableForm, public SessionHost {
    Q_OBJECT

public:
    // samples.txt is read from the first of sampleFolders that holds one.
    explicit frmMain(const QStringList& sampleFolders = SampleFolders(QCoreApplication::applicationDirPath()));
    ~frmMain() override;

    // Measures the screen and offers to switch to 1024 x 768 when it is both
    // narrower and lower than that.
    void CheckRes();

    // Runs when the window becomes the program's active window: on first
    // show, and when a window of ours that it opened closes.
    void Form_Activate() override;

    // Opens a session file in the window; says why when it cannot.
    bool OpenSession(const QString& strFile);

    Session CurrentSession() const override;
    void ApplySession(const Session& session) override;

    // The screen size measured by CheckRes; restored at unload when either
    // is below 1024 x 768.
    std::int32_t StartScreenWidth = 0;
    std::int32_t StartScreenHeight = 0;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateControls();
    void CreateKeypad();
    void SetTabOrder();
    void ConnectControls();
    void Form_Load(const QStringList& sampleFolders);
    void Form_Unload();

    void cmdEnter_Click();
    void cmdEdit_Click();
    void cmdRemoveExp_Click();
    void cmdClearList_Click();
    void cmdClear_Click();
    void cmdAddSample_Click();
    void chkNoOptimize_Click();
    void cmdDraw_Click();
    void Command2_Click();
    void cmdAbout_Click();
    void cmdExit_Click();
    void cmdExpButton_Click(int Index);

    // Appends an entry to lstExpression unless the list is full or the text
    // too long for the evaluator; says why when it refuses.
    bool AppendExpression(const QString& strText);
    bool RefuseIfListFull();

    QPushButton* cmdDraw = nullptr;
    QListWidget* lstExpression = nullptr;
    QLabel* lblExpressions = nullptr;
    QGroupBox* frmMode = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdClearList = nullptr;
    QListWidget* lstSample = nullptr;
    QLabel* lblSample = nullptr;
    QPushButton* cmdAbout = nullptr;
    QLineEdit* txtExpression = nullptr;
    QLabel* lblExpression = nullptr;
    QPushButton* cmdAddSample = nullptr;
    QPushButton* cmdRemoveExp = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cmdEnter = nullptr;
    QPushButton* cmdEdit = nullptr;
    QRadioButton* optPolar = nullptr;
    QRadioButton* optRectangular = nullptr;
    QPushButton* cmdClear = nullptr;
    QCheckBox* chkNoOptimize = nullptr;
    // The expression keypad, by index, and its keys in tab order.
    static constexpr int kKeypadKeys = 44;
    std::array<WCButton*, kKeypadKeys> cmdExpButton{};
    QList<WCButton*> m_keypadTabOrder;

    // The text box forgets its selection when it loses the focus to a key;
    // the keypad replaces the selection the box had at that moment.
    struct TextSelection {
        QString strText;
        int iCursor = 0;
        int iStart = 0;
        int iLength = 0;
    };
    std::optional<TextSelection> m_lastSelection;

    std::unique_ptr<GraphServices> m_graphServices;
    // The form's client area, below the menu bar.
    QWidget* m_pClient = nullptr;
    SessionMenu* m_pSessions = nullptr;
    bool m_bShown = false;
    bool m_bUnloaded = false;
};
