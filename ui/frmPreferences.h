#pragma once

#include <QDialog>

#include <optional>

struct ViewSettings;

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The preferences dialog: the stored view the graph window starts from,
// shown as a start and an end value for each axis, with the division
// counts, the polar sensitivity and the grid switch. It reads and writes
// gViewSettings and nothing else.
class frmPreferences : public QDialog {
    Q_OBJECT

public:
    explicit frmPreferences(QWidget* pParent = nullptr);

private:
    // Fills the boxes from the settings.
    void DisplayAll(const ViewSettings& settings);
    void CreateControls();
    void SetTabOrder();
    void cmdExit_Click();
    void cmdReset_Click();
    void Command1_Click();

    // The values of the boxes, read and checked before anything is stored.
    struct Entries;
    std::optional<Entries> ReadEntries();
    // Says what is wrong with a box and puts the user back into it.
    void Refuse(QLineEdit* pBox, const QString& strMessage);

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtStartX = nullptr;
    QLineEdit* txtEndX = nullptr;
    QLineEdit* txtDivisionsX = nullptr;
    QLineEdit* txtStartY = nullptr;
    QLineEdit* txtEndY = nullptr;
    QLineEdit* txtDivisionsY = nullptr;
    QLineEdit* txtPolarSensitivity = nullptr;
    QCheckBox* chkGrids = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
};
