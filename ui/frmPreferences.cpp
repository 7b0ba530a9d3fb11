#include "frmPreferences.h"

#include "FormLayout.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "NumberInput.h"
#include "PushButton.h"
#include "Settings.h"
#include "Twips.h"
#include "ViewEntries.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <variant>

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
    Frame1 = Place(new QGroupBox(ViewAxisCaption(ViewBox::StartX), this), "Frame1", TwipsRect(285, 390, 2280, 1470));
    Frame2 = Place(new QGroupBox(ViewAxisCaption(ViewBox::StartY), this), "Frame2", TwipsRect(3570, 390, 2280, 1470));
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
    const auto label = [](ViewBox box, QWidget* pParent) { return new QLabel(ViewBoxLabel(box), pParent); };
    Label5 = Place(label(ViewBox::PolarSensitivity, this), "Label5", TwipsRect(285, 2010, 1380, 270));
    Label4 = Place(label(ViewBox::DivisionsX, Frame1), "Label4", TwipsRect(195, 975, 1200, 270));
    Label6 = Place(label(ViewBox::StartX, Frame1), "Label6", TwipsRect(195, 360, 1200, 270));
    Label7 = Place(label(ViewBox::EndX, Frame1), "Label7", TwipsRect(195, 660, 1200, 270));
    Label10 = Place(label(ViewBox::EndY, Frame2), "Label10", TwipsRect(165, 675, 1200, 270));
    Label9 = Place(label(ViewBox::StartY, Frame2), "Label9", TwipsRect(165, 300, 1200, 270));
    Label8 = Place(label(ViewBox::DivisionsY, Frame2), "Label8", TwipsRect(180, 990, 1200, 270));

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
    QLabel* const labels[kViewBoxCount] = {Label6, Label7, Label4, Label9, Label10, Label8, Label5};
    for (int i = 0; i < kViewBoxCount; ++i) {
        const auto box = static_cast<ViewBox>(i);
        labels[i]->setBuddy(Box(box));
        Box(box)->setAccessibleName(ViewBoxName(box));
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

QLineEdit* frmPreferences::Box(ViewBox box) const
{
    QLineEdit* const boxes[kViewBoxCount] = {txtStartX, txtEndX,       txtDivisionsX,      txtStartY,
                                             txtEndY,   txtDivisionsY, txtPolarSensitivity};
    return boxes[static_cast<int>(box)];
}

void frmPreferences::DisplayAll(const ViewSettings& settings)
{
    const ViewTexts texts = ViewTextsOf(settings);
    for (int i = 0; i < kViewBoxCount; ++i)
        Box(static_cast<ViewBox>(i))->setText(texts[i]);
    chkGrids->setChecked(settings.bGrids);
}

void frmPreferences::cmdExit_Click()
{
    ViewTexts texts;
    for (int i = 0; i < kViewBoxCount; ++i)
        texts[i] = Box(static_cast<ViewBox>(i))->text();
    const std::variant<ViewSettings, ViewRefusal> read = ReadViewEntries(texts, chkGrids->isChecked(), gViewSettings);
    if (const auto* pRefusal = std::get_if<ViewRefusal>(&read)) {
        // Says what is wrong and puts the user back into the box at fault.
        ShowMessage(pRefusal->strMessage, MessageIcon::Critical);
        if (pRefusal->box) {
            Box(*pRefusal->box)->setFocus();
            Box(*pRefusal->box)->selectAll();
        }
        return;
    }
    const ViewSettings& settings = std::get<ViewSettings>(read);
    if (const std::optional<QString> strNote = SensitivityNote(settings))
        ShowMessage(*strNote, MessageIcon::Information);
    gViewSettings = settings;
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
