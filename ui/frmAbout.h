#pragma once

#include "Registry.h"

#include <QDialog>
#include <QPointer>

#include <stdexcept>
#include <string>

class QLabel;
class QPushButton;

// A registry value that GetKeyValue cannot turn into text (a value of size 0).
class RegistryValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The About box: the program's title, version and description, OK to close
// it and System Info to start the platform's system information tool. There
// is at most one About box at a time; it deletes itself when it closes, so
// each showing loads it afresh.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    ~frmAbout() override;

    // Shows the About box beside pOpener without blocking. An About box that
    // is already open is brought to the front instead.
    static void ShowModeless(QWidget* pOpener);

    // Shows a freshly loaded About box modally over pOpener. An About box
    // open without blocking is closed first; one already shown modally is
    // brought to the front instead.
    static void ShowModalFrom(QWidget* pOpener);

    // The About box now open, or nullptr.
    static frmAbout* Instance();

    // Looks the tool up in the registry and starts it; every failure ends in
    // the message "System Information Is Unavailable At This Time".
    void StartSysInfo();

    // Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal
    // as text. A string value is taken as stored; a 32-bit number becomes
    // its decimal text; a value of any other type leaves KeyVal as it was.
    // False, with KeyVal empty, when the key cannot be opened with full
    // rights or the value cannot be read. Throws RegistryValueError for a
    // value of size 0. The key is closed on every path.
    bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal);

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    explicit frmAbout(QWidget* pOpener);

    void CreateControls();
    void SetTabOrder();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QWidget* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QWidget* Line1[2] = {};
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    bool m_bModal = false;
};
