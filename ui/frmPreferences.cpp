#include "frmPreferences.h"

#include "FormLayout.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "NumberInput.h"
#include "PushButton.h"
#include "Settings.h"
#include "Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The narrowest range, relative to its centre and absolute, that the graph
// window can still step through pixel by pixel.
constexpr double kSmallestHalfRange = 1e-10;

// An axis as the boxes show it and as the record holds it.
struct AxisRange {
    double dScale;
    double dOrigin;
};

AxisRange FromStartEnd(double dStart, double dEnd)
{
    return {(dEnd - dStart) / 2, (dEnd + dStart) / 2};
}

bool Drawable(const AxisRange& range)
{
    const double dHalf = std::fabs(range.dScale);
    return std::isfinite(range.dScale) && std::isfinite(range.dOrigin) && dHalf >= kSmallestHalfRange
        && dHalf >= std::fabs(range.dOrigin) * kSmallestHalfRange;
}

QString BoxName(const QLineEdit* pBox)
{
    return pBox->accessibleName();
}

} // namespace

struct frmPreferences::Entries {
    AxisRange x;
    AxisRange y;
    std::int16_t iDivisionsX;
    std::int16_t iDivisionsY;
    std::int16_t iPolarSensitivity;
};

frmPreferences::frmPreferences(QWidget* pParent)
    : QDialog(pParent)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(tr("Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);
    UseWindowFont(this);
    setFixedSize(TwipsSize(6195, 3150));

    CreateControls();
    SetTabOrder();
    connect(cmdExit, &QPushButton::clicked, this, &frmPreferences::cmdExit_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmPreferences::cmdReset_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPreferences::Command1_Click);
    DisplayAll(gViewSettings);
}

void frmPreferences::CreateControls()
{
    Frame1 = Place(new QGroupBox(tr("X-axis"), this), "Frame1", TwipsRect(285, 390, 2280, 1470));
    Frame2 = Place(new QGroupBox(tr("Y-axis"), this), "Frame2", TwipsRect(3570, 390, 2280, 1470));
    txtStartX = Place(new QLineEdit(Frame1), "txtStartX", TwipsRect(1350, 330, 690, 285));
    txtEndX = Place(new QLineEdit(Frame1), "txtEndX", TwipsRect(1350, 645, 690, 285));
    txtDivisionsX = Place(new QLineEdit(Frame1), "txtDivisionsX", TwipsRect(1350, 960, 690, 285));
    txtStartY = Place(new QLineEdit(Frame2), "txtStartY", TwipsRect(1425, 315, 690, 285));
    txtEndY = Place(new QLineEdit(Frame2), "txtEndY", TwipsRect(1425, 690, 690, 285));
    txtDivisionsY = Place(new QLineEdit(Frame2), "txtDivisionsY", TwipsRect(1425, 1020, 690, 285));
    txtPolarSensitivity = Place(new QLineEdit(this), "txtPolarSensitivity", TwipsRect(1650, 2025, 915, 285));
    chkGrids = Place(new QCheckBox(tr("Show Grids"), this), "chkGrids", TwipsRect(3600, 2055, 1320, 270));
    cmdReset = Place(new PushButton(tr("&Restore default values"), this), "cmdReset", TwipsRect(165, 2535, 1785, 405));
    cmdExit = Place(new PushButton(tr("&Save && Exit"), this), "cmdExit", TwipsRect(2280, 2505, 1725, 405));
    Command1 = Place(new PushButton(tr("&Cancel"), this), "Command1", TwipsRect(4185, 2535, 1725, 405));
    Label5 = Place(new QLabel(tr("Polar Sensitivity"), this), "Label5", TwipsRect(285, 2010, 1380, 270));
    Label4 = Place(new QLabel(tr("No. of divisions"), Frame1), "Label4", TwipsRect(195, 975, 1200, 270));
    Label6 = Place(new QLabel(tr("Start"), Frame1), "Label6", TwipsRect(195, 360, 1200, 270));
    Label7 = Place(new QLabel(tr("End"), Frame1), "Label7", TwipsRect(195, 660, 1200, 270));
    Label10 = Place(new QLabel(tr("End"), Frame2), "Label10", TwipsRect(165, 675, 1200, 270));
    Label9 = Place(new QLabel(tr("Start"), Frame2), "Label9", TwipsRect(165, 300, 1200, 270));
    Label8 = Place(new QLabel(tr("No. of divisions"), Frame2), "Label8", TwipsRect(180, 990, 1200, 270));

    // Only the frames' captions are bold, not what the frames hold.
    QFont plain = font();
    plain.setWeight(QFont::Normal);
    for (QGroupBox* pFrame : {Frame1, Frame2}) {
        SetBold(pFrame);
        for (QWidget* pChild : pFrame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            pChild->setFont(plain);
    }

    // Each box is known by its frame and its label, in messages and to
    // assistive technology.
    const struct {
        QLineEdit* pBox;
        QLabel* pLabel;
        QGroupBox* pFrame;
    } boxes[] = {{txtStartX, Label6, Frame1}, {txtEndX, Label7, Frame1},   {txtDivisionsX, Label4, Frame1},
                 {txtStartY, Label9, Frame2}, {txtEndY, Label10, Frame2},  {txtDivisionsY, Label8, Frame2},
                 {txtPolarSensitivity, Label5, nullptr}};
    for (const auto& box : boxes) {
        box.pLabel->setBuddy(box.pBox);
        box.pBox->setAccessibleName(box.pFrame ? box.pFrame->title() + QLatin1Char(' ') + box.pLabel->text()
                                               : box.pLabel->text());
    }
}

void frmPreferences::SetTabOrder()
{
    const QList<QWidget*> order{txtStartX,           txtEndX, txtDivisionsX, txtStartY, txtEndY, txtDivisionsY,
                                txtPolarSensitivity, chkGrids, cmdReset,     cmdExit,   Command1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    txtStartX->setFocus();
}

void frmPreferences::DisplayAll(const ViewSettings& settings)
{
    txtStartX->setText(GeneralText(settings.dOriginX - settings.dScaleX));
    txtStartY->setText(GeneralText(settings.dOriginY - settings.dScaleY));
    txtEndX->setText(GeneralText(settings.dScaleX + settings.dOriginX));
    txtEndY->setText(GeneralText(settings.dScaleY + settings.dOriginY));
    txtDivisionsX->setText(QString::number(settings.iDivisionsX));
    txtDivisionsY->setText(QString::number(settings.iDivisionsY));
    txtPolarSensitivity->setText(QString::number(settings.iPolarSensitivity));
    chkGrids->setChecked(settings.bGrids);
}

void frmPreferences::Refuse(QLineEdit* pBox, const QString& strMessage)
{
    ShowMessage(strMessage, MessageIcon::Critical);
    pBox->setFocus();
    pBox->selectAll();
}

std::optional<frmPreferences::Entries> frmPreferences::ReadEntries()
{
    double dRange[4] = {};
    QLineEdit* rangeBoxes[4] = {txtStartX, txtEndX, txtStartY, txtEndY};
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> dValue = ReadNumber(rangeBoxes[i]->text());
        if (!dValue) {
            Refuse(rangeBoxes[i], tr("%1 must be a number.").arg(BoxName(rangeBoxes[i])));
            return std::nullopt;
        }
        dRange[i] = *dValue;
    }

    // The graph window divides by the counts and the sensitivity.
    std::int16_t iWhole[3] = {};
    QLineEdit* wholeBoxes[3] = {txtDivisionsX, txtDivisionsY, txtPolarSensitivity};
    constexpr std::int16_t iLargest = std::numeric_limits<std::int16_t>::max();
    for (int i = 0; i < 3; ++i) {
        const std::optional<std::int16_t> iValue = ReadWholeNumber(wholeBoxes[i]->text(), 1, iLargest);
        if (!iValue) {
            Refuse(wholeBoxes[i], tr("%1 must be a number from 1 to %2.").arg(BoxName(wholeBoxes[i])).arg(iLargest));
            return std::nullopt;
        }
        iWhole[i] = *iValue;
    }

    if (dRange[0] == dRange[1] || dRange[2] == dRange[3]) {
        ShowMessage(tr("Invalid starting and ending range specified"), MessageIcon::Critical);
        return std::nullopt;
    }

    const Entries entries{FromStartEnd(dRange[0], dRange[1]), FromStartEnd(dRange[2], dRange[3]), iWhole[0],
                          iWhole[1], iWhole[2]};
    const struct {
        const AxisRange& range;
        QGroupBox* pFrame;
        QLineEdit* pStart;
    } axes[] = {{entries.x, Frame1, txtStartX}, {entries.y, Frame2, txtStartY}};
    for (const auto& axis : axes) {
        if (!Drawable(axis.range)) {
            Refuse(axis.pStart, tr("The %1 range from Start to End is too small or too large to draw.")
                                    .arg(axis.pFrame->title()));
            return std::nullopt;
        }
    }
    return entries;
}

void frmPreferences::cmdExit_Click()
{
    const std::optional<Entries> entries = ReadEntries();
    if (!entries)
        return;
    if (entries->iPolarSensitivity > 1000)
        ShowMessage(tr("Polar sensitivity is too high which may slow the application"), MessageIcon::Information);

    gViewSettings.dScaleX = entries->x.dScale;
    gViewSettings.dOriginX = entries->x.dOrigin;
    gViewSettings.iDivisionsX = entries->iDivisionsX;
    gViewSettings.dScaleY = entries->y.dScale;
    gViewSettings.dOriginY = entries->y.dOrigin;
    gViewSettings.iDivisionsY = entries->iDivisionsY;
    gViewSettings.iPolarSensitivity = entries->iPolarSensitivity;
    gViewSettings.bGrids = chkGrids->isChecked();
    close();
}

void frmPreferences::cmdReset_Click()
{
    DisplayAll(kDefaultViewSettings);
}

void frmPreferences::Command1_Click()
{
    close();
}
