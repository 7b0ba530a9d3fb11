#pragma once

#include <QDialog>

struct ViewSettings;
enum class ViewBox;

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

    QLineEdit* Box(ViewBox box) const;

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
