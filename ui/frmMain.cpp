#include "frmMain.h"

#include "ArrowIcon.h"
#include "EntryPreparation.h"
#include "FormLayout.h"
#include "FormLayoutFile.h"
#include "GraphServices.h"
#include "MessageBox.h"
#include "PushButton.h"
#include "SampleFile.h"
#include "Settings.h"
#include "Twips.h"
#include "WCButton.h"
#include "frmAbout.h"
#include "frmGraph.h"
#include "frmPreferences.h"
#include "modRes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

namespace {

QPushButton* PictureButton(QWidget* pParent, ArrowDirection direction, const QString& strDescription)
{
    return ArrowButton(pParent, direction, strDescription, QSize(16, 16));
}

// The selected row, or -1 when nothing is selected. A list may have a current
// row without a selection; only the selection counts.
int SelectedRow(const QListWidget* pList)
{
    const QList<QListWidgetItem*> selected = pList->selectedItems();
    return selected.isEmpty() ? -1 : pList->row(selected.first());
}

// Removes a row and leaves the list without a selection (Qt would otherwise
// select a neighbour of the removed row).
void RemoveRow(QListWidget* pList, int iRow)
{
    delete pList->takeItem(iRow);
    pList->selectionModel()->clear();
}

} // namespace

frmMain::frmMain(const QStringList& sampleFolders)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProgramTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    UseWindowFont(this);
    m_pClient = new QWidget(this);
    m_pClient->setFixedSize(TwipsSize(8970, 5325));
    setCentralWidget(m_pClient);
    TrackFormActivation();

    CreateControls();
    SetTabOrder();
    ConnectControls();
    m_pSessions = new SessionMenu(*this, *this, [this] { cmdExit_Click(); });
    setFixedSize(m_pClient->size() + QSize(0, menuBar()->sizeHint().height()));
    Form_Load(sampleFolders);
}

frmMain::~frmMain()
{
    // The list empties as the window's children go; by then there is no
    // session to tell.
    disconnect(lstExpression->model(), nullptr, this, nullptr);
    disconnect(optPolar, nullptr, this, nullptr);
}

void frmMain::CreateControls()
{
    cmdDraw = Place(new PushButton(tr("&Draw Graph"), m_pClient), "cmdDraw", TwipsRect(6975, 4455, 1620, 465));
    SetBold(cmdDraw);
    lstExpression = Place(new QListWidget(m_pClient), "lstExpression", TwipsRect(3120, 3105, 3405, 1230));
    lblExpressions = Place(new QLabel(tr("Expression(s) to plot"), m_pClient), "lblExpressions",
                           TwipsRect(3090, 2640, 2295, 255));
    SetBold(lblExpressions);
    frmMode = Place(new QGroupBox(tr("Graph Mode"), m_pClient), "frmMode", TwipsRect(6930, 2955, 1695, 1335));
    cmdExit = Place(new PushButton(tr("E&xit"), m_pClient), "cmdExit", TwipsRect(6840, 120, 1770, 375));
    cmdClearList = Place(new PushButton(tr("Clear List"), m_pClient), "cmdClearList", TwipsRect(3120, 4455, 1620, 465));
    lstSample = Place(new QListWidget(m_pClient), "lstSample", TwipsRect(375, 3090, 1935, 1815));
    lblSample = Place(new QLabel(tr("Sample Expressions"), m_pClient), "lblSample", TwipsRect(420, 2790, 1815, 270));
    cmdAbout = Place(new PushButton(tr("&About"), m_pClient), "cmdAbout", TwipsRect(6855, 750, 1770, 375));
    txtExpression = Place(new QLineEdit(m_pClient), "txtExpression", TwipsRect(1710, 1995, 4800, 285));
    lblExpression = Place(new QLabel(tr("Expression"), m_pClient), "lblExpression", TwipsRect(495, 1980, 975, 225));
    cmdAddSample = Place(PictureButton(m_pClient, ArrowDirection::Right,
                                       tr("Add the sample to the expressions to plot")),
                         "cmdAddSample", TwipsRect(2430, 3510, 510, 555));
    cmdRemoveExp = Place(new PushButton(tr("Remove Expression"), m_pClient), "cmdRemoveExp",
                         TwipsRect(4905, 4455, 1650, 465));
    Command2 = Place(new PushButton(tr("&Preferences"), m_pClient), "Command2", TwipsRect(6840, 1365, 1770, 375));
    cmdEnter = Place(PictureButton(m_pClient, ArrowDirection::Down, tr("Enter the expression into the list")),
                     "cmdEnter", TwipsRect(5310, 2415, 555, 555));
    cmdEdit = Place(PictureButton(m_pClient, ArrowDirection::Up, tr("Take an expression back for editing")), "cmdEdit",
                    TwipsRect(5940, 2415, 555, 555));
    optPolar = Place(new QRadioButton(tr("Polar"), frmMode), "optPolar", TwipsRect(240, 825, 1215, 255));
    optRectangular = Place(new QRadioButton(tr("Rectangular"), frmMode), "optRectangular",
                           TwipsRect(240, 450, 1215, 255));
    cmdClear = Place(new PushButton(tr("&Clear Expression"), m_pClient), "cmdClear", TwipsRect(6840, 1950, 1770, 330));
    chkNoOptimize = Place(new QCheckBox(tr("Do not optimize equations"), m_pClient), "chkNoOptimize",
                          TwipsRect(6645, 2505, 2220, 315));

    // The text box has no limit of its own; over-long texts are refused when
    // they are entered, never cut.
    txtExpression->setMaxLength(std::numeric_limits<int>::max());
    txtExpression->setAccessibleName(lblExpression->text());
    lblExpression->setBuddy(txtExpression);
    lstExpression->setAccessibleName(lblExpressions->text());
    lblExpressions->setBuddy(lstExpression);
    m_graphServices = std::make_unique<GraphServices>(*lstExpression);
    lstSample->setAccessibleName(lblSample->text());
    lblSample->setBuddy(lstSample);
    for (QListWidget* pList : {lstExpression, lstSample}) {
        pList->setSelectionMode(QAbstractItemView::SingleSelection);
        pList->setUniformItemSizes(true);
    }
    CreateKeypad();
}

void frmMain::CreateKeypad()
{
    // The keys are built from the window's stored layout: each takes its
    // place from the file and loads its properties from the file's store.
    for (const LayoutInstance& instance : ReadFormLayout(QStringLiteral(":/layouts/keypad.json"))) {
        if (instance.strName != QLatin1String("cmdExpButton") || instance.iIndex < 0 || instance.iIndex >= kKeypadKeys
            || cmdExpButton[instance.iIndex])
            continue;
        auto* pKey = new WCButton(m_pClient);
        pKey->setObjectName(QStringLiteral("cmdExpButton_%1").arg(instance.iIndex));
        pKey->setGeometry(instance.rect);
        pKey->ReadProperties(instance.properties);
        cmdExpButton[instance.iIndex] = pKey;
        m_keypadTabOrder.append(pKey);
    }
}

void frmMain::SetTabOrder()
{
    QList<QWidget*> order{cmdDraw,       lstExpression,  cmdExit,      cmdClearList, lstSample, cmdAbout,
                          txtExpression, cmdAddSample,   cmdRemoveExp, Command2,     cmdEnter,  cmdEdit,
                          optPolar,      optRectangular, cmdClear,     chkNoOptimize};
    for (WCButton* pKey : m_keypadTabOrder)
        order.append(pKey);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmMain::ConnectControls()
{
    connect(cmdEnter, &QPushButton::clicked, this, &frmMain::cmdEnter_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmMain::cmdEdit_Click);
    connect(cmdRemoveExp, &QPushButton::clicked, this, &frmMain::cmdRemoveExp_Click);
    connect(cmdClearList, &QPushButton::clicked, this, &frmMain::cmdClearList_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(cmdAddSample, &QPushButton::clicked, this, &frmMain::cmdAddSample_Click);
    connect(lstSample, &QListWidget::itemDoubleClicked, this, &frmMain::cmdAddSample_Click);
    connect(chkNoOptimize, &QCheckBox::stateChanged, this, &frmMain::chkNoOptimize_Click);
    connect(cmdDraw, &QPushButton::clicked, this, &frmMain::cmdDraw_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    for (int i = 0; i < kKeypadKeys; ++i) {
        if (cmdExpButton[i])
            connect(cmdExpButton[i], &WCButton::Click, this, [this, i] { cmdExpButton_Click(i); });
    }
    // Whatever a session keeps may have changed.
    QAbstractItemModel* pModel = lstExpression->model();
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(pModel, signal, this, [this] { m_pSessions->Changed(); });
    connect(pModel, &QAbstractItemModel::modelReset, this, [this] { m_pSessions->Changed(); });
    connect(pModel, &QAbstractItemModel::dataChanged, this, [this] { m_pSessions->Changed(); });
    connect(optPolar, &QRadioButton::toggled, this, [this] { m_pSessions->Changed(); });
    // The Enter key is acted on when it goes down in the text box.
    txtExpression->installEventFilter(this);
    optPolar->installEventFilter(this);
    optRectangular->installEventFilter(this);
}

void frmMain::Form_Load(const QStringList& sampleFolders)
{
    CheckRes();
    SetDefaultSettings();
    optRectangular->setChecked(true);
    const QString strSampleFile = FindSampleFile(sampleFolders);
    if (!strSampleFile.isEmpty())
        lstSample->addItems(LoadSamples(strSampleFile));
}

void frmMain::Form_Unload()
{
    if (m_bUnloaded)
        return;
    m_bUnloaded = true;
    if (StartScreenWidth < 1024 || StartScreenHeight < 768) {
        float sngWidth = static_cast<float>(StartScreenWidth);
        float sngHeight = static_cast<float>(StartScreenHeight);
        modRes::ChangeRes(sngWidth, sngHeight);
    }
}

void frmMain::CheckRes()
{
    StartScreenWidth = CurrentDisplay().GetSystemMetrics(SM_CXSCREEN);
    StartScreenHeight = CurrentDisplay().GetSystemMetrics(SM_CYSCREEN);
    if (StartScreenHeight >= 768 || StartScreenWidth >= 1024)
        return;

    const QString strMessage = QStringLiteral("You current video resolution is: ") + QString::number(StartScreenWidth)
                             + QStringLiteral(" x ") + QString::number(StartScreenHeight) + QStringLiteral("\r\n")
                             + QStringLiteral("This program requires a resolution 1024 x 768 or greater.")
                             + QStringLiteral("\r\n\r\n")
                             + QStringLiteral("Do you wish me to adjust your resolution to 1024x768?");
    if (ShowMessage(strMessage, MessageIcon::Critical, MessageButtons::YesNo, QStringLiteral("Invalid Resolution"))
        == MessageAnswer::Yes) {
        float sngWidth = 1024.0f;
        float sngHeight = 768.0f;
        modRes::ChangeRes(sngWidth, sngHeight);
    }
}

void frmMain::Form_Activate()
{
    txtExpression->setFocus(Qt::ActiveWindowFocusReason);
    // The preferences may have changed the stored view.
    m_pSessions->Changed();
}

void frmMain::showEvent(QShowEvent* pEvent)
{
    QMainWindow::showEvent(pEvent);
    if (m_bShown)
        return;
    m_bShown = true;
    Form_Activate();
    activateWindow();
}

void frmMain::closeEvent(QCloseEvent* pEvent)
{
    if (!m_pSessions->MayDiscard()) {
        pEvent->ignore();
        return;
    }
    Form_Unload();
    pEvent->accept();
}

bool frmMain::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if ((pWatched == optPolar || pWatched == optRectangular) && pEvent->type() == QEvent::FocusIn) {
        // Tabbing into the graph mode lands on the selected option.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(pEvent)->reason();
        QRadioButton* pSelected = optPolar->isChecked() ? optPolar : optRectangular;
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && pWatched != pSelected
            && pSelected->isChecked())
            pSelected->setFocus(reason);
    }
    if (pWatched == txtExpression && pEvent->type() == QEvent::FocusOut) {
        // Seen before the text box drops its selection.
        m_lastSelection.reset();
        if (txtExpression->hasSelectedText())
            m_lastSelection = TextSelection{txtExpression->text(), txtExpression->cursorPosition(),
                                            txtExpression->selectionStart(), txtExpression->selectionLength()};
    }
    if (pWatched == txtExpression && pEvent->type() == QEvent::KeyPress) {
        const int iKey = static_cast<QKeyEvent*>(pEvent)->key();
        if (iKey == Qt::Key_Return || iKey == Qt::Key_Enter)
            cmdEnter_Click();
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

bool frmMain::RefuseIfListFull()
{
    const std::optional<QString> strRefusal = ListFullRefusal(lstExpression->count());
    if (strRefusal)
        ShowError(*strRefusal);
    return strRefusal.has_value();
}

bool frmMain::AppendExpression(const QString& strText)
{
    if (IsBlankEntry(strText))
        return false;
    if (const std::optional<QString> strRefusal = ListEntryRefusal(strText)) {
        ShowError(*strRefusal);
        return false;
    }
    if (RefuseIfListFull())
        return false;
    lstExpression->addItem(strText);
    return true;
}

void frmMain::cmdEnter_Click()
{
    const PreparedEntry prepared = PrepareEntry(txtExpression->text(), gViewSettings.bOptimize);
    if (!prepared.strRefusal.isEmpty()) {
        // Refused: the box keeps the text as the user typed it, with the
        // characters at fault selected.
        ShowError(prepared.strRefusal);
        if (prepared.iProblemStart >= 0) {
            txtExpression->setFocus();
            txtExpression->setSelection(prepared.iProblemStart, prepared.iProblemLength);
        }
        return;
    }
    if (prepared.strEntry.isEmpty() || RefuseIfListFull())
        return;
    lstExpression->addItem(prepared.strEntry);
    txtExpression->clear();
}

void frmMain::cmdEdit_Click()
{
    int iEntry = SelectedRow(lstExpression);
    if (iEntry < 0)
        iEntry = lstExpression->count() - 1;
    if (iEntry < 0)
        return;
    txtExpression->setText(lstExpression->item(iEntry)->text());
    txtExpression->setCursorPosition(txtExpression->text().size());
    RemoveRow(lstExpression, iEntry);
}

void frmMain::cmdRemoveExp_Click()
{
    const int iEntry = SelectedRow(lstExpression);
    if (iEntry >= 0)
        RemoveRow(lstExpression, iEntry);
}

void frmMain::cmdClearList_Click()
{
    lstExpression->clear();
}

void frmMain::cmdClear_Click()
{
    txtExpression->clear();
}

void frmMain::cmdAddSample_Click()
{
    const int iSample = SelectedRow(lstSample);
    if (iSample >= 0)
        AppendExpression(lstSample->item(iSample)->text());
}

void frmMain::chkNoOptimize_Click()
{
    // Only a ticked box switches normalising off; clear and greyed leave it on.
    gViewSettings.bOptimize = chkNoOptimize->checkState() != Qt::Checked;
    m_pSessions->Changed();
}

bool frmMain::OpenSession(const QString& strFile)
{
    return m_pSessions->OpenFile(strFile);
}

Session frmMain::CurrentSession() const
{
    Session session;
    for (int i = 0; i < lstExpression->count(); ++i)
        session.entries.append(lstExpression->item(i)->text());
    session.view = gViewSettings;
    session.bPolar = optPolar->isChecked();
    return session;
}

void frmMain::ApplySession(const Session& session)
{
    for (frmGraph* pGraph : findChildren<frmGraph*>())
        pGraph->close();
    lstExpression->clear();
    lstExpression->addItems(session.entries);
    const bool bAnimate = gViewSettings.bAnimate;
    gViewSettings = session.view;
    gViewSettings.bAnimate = bAnimate;
    chkNoOptimize->setChecked(!session.view.bOptimize);
    gViewSettings.bOptimize = session.view.bOptimize;
    (session.bPolar ? optPolar : optRectangular)->setChecked(true);
    m_pSessions->Changed();
}

void frmMain::cmdDraw_Click()
{
    // The first plot shows the curves as they grow.
    auto* pGraph = new frmGraph(*m_graphServices, GraphOpening{.bPolar = optPolar->isChecked(), .bProgressive = true},
                                this);
    ShowModal(pGraph, this);
}

void frmMain::Command2_Click()
{
    ShowModal(new frmPreferences(this), this);
}

void frmMain::cmdAbout_Click()
{
    frmAbout::ShowModeless(this);
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::cmdExpButton_Click(int Index)
{
    // Where the text goes: the selection of the text box, or the one it had
    // when it lost the focus, provided nothing has changed the box since.
    int iStart = txtExpression->cursorPosition();
    int iLength = 0;
    if (txtExpression->hasSelectedText()) {
        iStart = txtExpression->selectionStart();
        iLength = txtExpression->selectionLength();
    } else if (m_lastSelection && m_lastSelection->strText == txtExpression->text()
               && m_lastSelection->iCursor == txtExpression->cursorPosition()) {
        iStart = m_lastSelection->iStart;
        iLength = m_lastSelection->iLength;
    }
    m_lastSelection.reset();

    int p = iStart;
    QString c = cmdExpButton[Index]->Caption();
    // Function keys bring their brackets, with the caret between them.
    if (Index >= 20 && Index <= 40) {
        c += QStringLiteral("()");
        p -= 1;
    }
    if (iLength > 0)
        txtExpression->setSelection(iStart, iLength);
    else
        txtExpression->setCursorPosition(iStart);
    txtExpression->insert(c);
    txtExpression->setCursorPosition(p + static_cast<int>(c.size()));
}
