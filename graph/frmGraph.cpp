#include "frmGraph.h"

#include "ArrowIcon.h"
#include "Clipboard.h"
#include "CurveSampling.h"
#include "CurveTrace.h"
#include "FormLayout.h"
#include "GraphFile.h"
#include "GraphHost.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "PictureBox.h"
#include "Printer.h"
#include "ProgramIdentity.h"
#include "PushButton.h"
#include "SaveFileDialog.h"
#include "ScaleSteps.h"
#include "Settings.h"
#include "ToolbarIcons.h"
#include "TraceGeometry.h"
#include "ViewGestures.h"
#include "frmTable.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QToolBar>

#include <cmath>
#include <utility>

namespace {

constexpr QSize kClientSize(589, 645);

QPushButton* MoveButton(QWidget* pParent, ArrowDirection direction, const QString& strDescription)
{
    return ArrowButton(pParent, direction, strDescription, QSize(20, 20));
}

// Posted to the window for a redraw that waits for the keys before it.
const QEvent::Type kPendingPlotEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// What the save dialog starts from in this run of the program: the folder
// of the last save and the type chosen for it.
struct LastSave {
    QString strFolder;
    PictureFormat format = PictureFormat::Bmp;
};

LastSave& LastSaveOfRun()
{
    static LastSave last;
    return last;
}

// The folder of the last save while it is there, else the user's pictures
// folder, else the home folder: never the folder the program was started
// from.
QString SaveFolder()
{
    if (QFileInfo(LastSaveOfRun().strFolder).isDir())
        return LastSaveOfRun().strFolder;
    return UserFolder(QStandardPaths::PicturesLocation);
}

} // namespace

frmGraph::frmGraph(GraphHost& host, GraphOpening opening, QWidget* pParent)
    : QMainWindow(pParent, Qt::Window)
    , m_host(host)
    , m_bProgressiveNext(opening.bProgressive)
    , m_pTrace(std::make_unique<CurveTrace>())
{
    m_scene.view.bModePolar = opening.bPolar;
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(tr("Graph"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    setFont(font);

    auto* pClient = new QWidget(this);
    pClient->setFixedSize(kClientSize);
    setCentralWidget(pClient);
    CreateMenus();
    CreateToolbar(pClient);
    CreateControls(pClient);
    setFixedSize(kClientSize + QSize(0, menuBar()->sizeHint().height()));

    connect(picGraph, &PictureBox::FirstPainted, this, &frmGraph::Form_Activate, Qt::QueuedConnection);
    connect(picGraph, &PictureBox::KeyDown, this, &frmGraph::picGraph_KeyDown);
    connect(picGraph, &PictureBox::MouseMove, this, &frmGraph::picGraph_MouseMove);
    connect(m_pTrace.get(), &CurveTrace::Changed, this, &frmGraph::ShowTrace);
    m_pGestures = new ViewGestures(*picGraph);
    connect(m_pGestures, &ViewGestures::Clicked, this, &frmGraph::picGraph_Click);
    connect(m_pGestures, &ViewGestures::Zoomed, this, &frmGraph::picGraph_Zoomed);
    connect(m_pGestures, &ViewGestures::PanStarted, this, [this] { m_panStart = m_scene.view; });
    connect(m_pGestures, &ViewGestures::Panned, this, &frmGraph::picGraph_Panned);
    connect(m_pGestures, &ViewGestures::PanEnded, this, &frmGraph::picGraph_PanEnded);
    connect(m_pGestures, &ViewGestures::PanCancelled, this, [this] {
        m_scene.view = m_panStart;
        PostPlot();
    });
    connect(m_pGestures, &ViewGestures::Boxed, this, &frmGraph::picGraph_Boxed);
    picGraph->SetOverlay([this](QPainter& painter) {
        m_pTrace->Paint(painter, m_scene);
        m_pGestures->Paint(painter);
    });
    EnableHistoryItems();
    connect(picGraph, &PictureBox::ResolutionChanged, this, &frmGraph::PostPlot);
    connect(cmbExps, &QComboBox::activated, this, &frmGraph::PlotGraph);
    connect(cmdReturn, &QPushButton::clicked, this, &frmGraph::CloseGraph);
    connect(cmdMoveUp, &QPushButton::clicked, this, &frmGraph::MoveUp);
    connect(cmdMoveDown, &QPushButton::clicked, this, &frmGraph::MoveDown);
    connect(cmdMoveLeft, &QPushButton::clicked, this, &frmGraph::MoveLeft);
    connect(cmdMoveRight, &QPushButton::clicked, this, &frmGraph::MoveRight);

    // The menu's shortcuts act on the graph whichever control has the focus.
    for (QWidget* pControl : pClient->findChildren<QWidget*>())
        if (pControl->focusPolicy() != Qt::NoFocus)
            pControl->installEventFilter(this);
}

bool frmGraph::event(QEvent* pEvent)
{
    if (pEvent->type() == kPendingPlotEvent) {
        PlotIfPending();
        return true;
    }
    return QMainWindow::event(pEvent);
}

bool frmGraph::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // A text box would take Ctrl+C for its own text; leaving the key
    // unclaimed lets the menu's shortcut have it.
    if (pEvent->type() == QEvent::ShortcutOverride) {
        const QKeySequence keys(static_cast<QKeyEvent*>(pEvent)->keyCombination());
        for (const QAction* pAction : menuBar()->findChildren<QAction*>())
            if (pAction->shortcuts().contains(keys)) {
                pEvent->ignore();
                return true;
            }
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

frmGraph::~frmGraph() = default;

void frmGraph::CreateMenus()
{
    QMenu* pMenu = nullptr;
    for (const MenuItemEntry& item : MenuItems()) {
        if (!pMenu || pMenu->objectName() != QLatin1String(item.pszMenuName)) {
            pMenu = menuBar()->addMenu(tr(item.pszMenuCaption));
            pMenu->setObjectName(QLatin1String(item.pszMenuName));
        }
        QAction* pAction = pMenu->addAction(tr(item.pszCaption));
        pAction->setObjectName(QLatin1String(item.pszName));
        pAction->setShortcuts(QKeySequence::listFromString(QLatin1String(item.pszShortcut)));
        const GraphCommand command = item.command;
        connect(pAction, &QAction::triggered, this, [this, command] { RunCommand(command); });
    }
}

void frmGraph::CreateToolbar(QWidget* pClient)
{
    Toolbar1 = Place(new QToolBar(pClient), "Toolbar1", QRect(0, 0, kClientSize.width(), 42));
    Toolbar1->setIconSize(QSize(22, 22));
    Toolbar1->setMovable(false);
    // Nineteen buttons share the window's width: no gaps between them.
    Toolbar1->layout()->setSpacing(0);
    Toolbar1->layout()->setContentsMargins(0, 0, 0, 0);
    for (const ToolbarButtonEntry& button : ToolbarButtons()) {
        const QString strKey = QLatin1String(button.pszKey);
        QAction* pAction = Toolbar1->addAction(ToolbarIcon(strKey), tr(button.pszTooltip));
        pAction->setData(strKey);
        pAction->setToolTip(tr(button.pszTooltip));
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* pAction) { Toolbar1_ButtonClick(pAction->data().toString()); });
}

void frmGraph::RunCommand(GraphCommand command)
{
    switch (command) {
    case GraphCommand::Close: CloseGraph(); break;
    case GraphCommand::ZoomIn: ZoomIn(); break;
    case GraphCommand::ZoomOut: ZoomOut(); break;
    case GraphCommand::ZoomInX: ZoomInX(); break;
    case GraphCommand::ZoomOutX: ZoomOutX(); break;
    case GraphCommand::ZoomInY: ZoomInY(); break;
    case GraphCommand::ZoomOutY: ZoomOutY(); break;
    case GraphCommand::ToggleGrid: ToggleGrid(); break;
    case GraphCommand::DefaultScale: DefaultScale(); break;
    case GraphCommand::MoveLeft: MoveLeft(); break;
    case GraphCommand::MoveRight: MoveRight(); break;
    case GraphCommand::MoveUp: MoveUp(); break;
    case GraphCommand::MoveDown: MoveDown(); break;
    case GraphCommand::ViewOrigin: ViewOrigin(); break;
    case GraphCommand::RectangularMode: SetRectangularMode(); break;
    case GraphCommand::PolarMode: SetPolarMode(); break;
    case GraphCommand::Redraw: RedrawGraph(); break;
    case GraphCommand::IncreasePolarSensitivity: IncreasePolarSensitivity(); break;
    case GraphCommand::DecreasePolarSensitivity: DecreasePolarSensitivity(); break;
    case GraphCommand::ShowHelp: ShowHelp(); break;
    case GraphCommand::RangeSelector: ShowRangeSelector(); break;
    case GraphCommand::CompareExpressions: m_host.ShowComparison(this); break;
    case GraphCommand::About: m_host.ShowAbout(this); break;
    case GraphCommand::Save: Save(); break;
    case GraphCommand::CopyToClipboard: CopyToClipboard(); break;
    case GraphCommand::PrintGraph: PrintGraph(); break;
    case GraphCommand::UndoView: UndoView(); break;
    case GraphCommand::RedoView: RedoView(); break;
    case GraphCommand::TableOfValues: ShowTable(); break;
    }
}

void frmGraph::PlotIfPending()
{
    // The picture handed out shows every command already taken.
    if (m_bPlotPending)
        PlotGraph();
}

void frmGraph::Save()
{
    PlotIfPending();
    // The dialog suggests "graph" in the type and folder of the last save.
    const LastSave& last = LastSaveOfRun();
    const std::optional<SaveDialogAnswer> choice = ShowSaveDialog(
        this, SaveDialogRequest{GraphFileFilter(), FormatExtension(PictureFormat::Bmp),
                                QDir(SaveFolder()).filePath(QStringLiteral("graph.") + FormatExtension(last.format)),
                                static_cast<int>(last.format)});
    // Cancelling writes nothing. A failed write leaves no partial file and
    // an existing file untouched, and says why, so that nobody believes the
    // graph was saved.
    if (!choice)
        return;
    const GraphFileTarget target = SaveTarget(choice->strFile, choice->iFilter);
    QString strReason;
    if (!WriteGraph(m_scene, target.strFile, target.format, &strReason, &picGraph->Picture())) {
        ShowMessage(tr("The graph could not be saved as \"%1\": %2")
                        .arg(QDir::toNativeSeparators(target.strFile), strReason),
                    MessageIcon::Critical);
        return;
    }
    LastSaveOfRun() = LastSave{QFileInfo(target.strFile).absolutePath(), target.format};
}

void frmGraph::CopyToClipboard()
{
    PlotIfPending();
    CurrentClipboard().Clear();
    CurrentClipboard().SetImage(picGraph->Picture());
}

void frmGraph::PrintGraph()
{
    PlotIfPending();
    const QImage& picture = picGraph->Picture();
    const PrintResult result = PrintOnDefaultPrinter([&picture](PrintDocument& Printer) {
        Printer.CurrentX = 1000;
        Printer.CurrentY = 500;
        Printer.Print(tr(kGraphCreatedLine));
        Printer.CurrentX = 1000;
        Printer.Print(tr(kGraphAuthorLine));
        Printer.CurrentX = 1000;
        Printer.Print(QString::fromUtf8(kProgramWebAddress));
        Printer.PaintPicture(picture, 500, 1500, 10000, 10000);
    });
    if (result == PrintResult::NoPrinter)
        ShowMessage(tr("The graph cannot be printed: there is no default printer."), MessageIcon::Critical);
    else if (result == PrintResult::Failed)
        ShowMessage(tr("The graph could not be printed."), MessageIcon::Critical);
}

void frmGraph::ShowTable()
{
    // Beside the graph, not blocking it: the view stays as it is meanwhile.
    QStringList entries;
    for (const int iEntry : DrawnEntries(m_scene))
        entries.append(m_scene.entries[iEntry - 1]);
    auto* pTable = new frmTable(entries, m_scene.view, this);
    pTable->setWindowFlag(Qt::Window);
    pTable->show();
}

void frmGraph::ShowRangeSelector()
{
    // The view takes the saved settings over once the dialog has closed.
    m_host.ShowPreferences(this, [this] { Initialize(); });
}

void frmGraph::Toolbar1_ButtonClick(const QString& strKey)
{
    if (const auto command = ToolbarCommand(strKey))
        RunCommand(*command);
}

void frmGraph::CreateControls(QWidget* pClient)
{
    cmbExps = Place(new QComboBox(pClient), "cmbExps", QRect(7, 102, 193, 22));
    cmbExps->setAccessibleName(tr("Expressions to show"));
    cmdMoveUp = Place(MoveButton(pClient, ArrowDirection::Up, tr("Move up")), "cmdMoveUp", QRect(274, 100, 32, 32));
    cmdReturn = Place(new PushButton(tr("&Close"), pClient), "cmdReturn", QRect(440, 99, 87, 24));
    cmdMoveLeft = Place(MoveButton(pClient, ArrowDirection::Left, tr("Move left")), "cmdMoveLeft",
                        QRect(10, 353, 32, 32));
    picGraph = new PictureBox(pClient, QSize(479, 465));
    Place(picGraph, "picGraph", QRect(48, 137, 479, 465));
    picGraph->setAccessibleName(tr("Graph"));
    cmdMoveRight = Place(MoveButton(pClient, ArrowDirection::Right, tr("Move right")), "cmdMoveRight",
                         QRect(534, 353, 32, 32));
    cmdMoveDown = Place(MoveButton(pClient, ArrowDirection::Down, tr("Move down")), "cmdMoveDown",
                        QRect(274, 604, 32, 32));
    Label1 = Place(new QLabel(tr("Pointer at"), pClient), "Label1", QRect(48, 616, 53, 17));
    lblCoordinates = Place(new QLabel(QStringLiteral(" "), pClient), "lblCoordinates", QRect(104, 616, 153, 17));
    SetBold(lblCoordinates);
    lblPSensitivity = Place(new QLabel(tr("Polar Sensitivity"), pClient), "lblPSensitivity", QRect(401, 617, 85, 17));
    txtPolarSensitivity = Place(new QLineEdit(QStringLiteral("1"), pClient), "txtPolarSensitivity",
                                QRect(493, 613, 34, 21));
    // It shows the sensitivity level; the program never reads it back.
    txtPolarSensitivity->setReadOnly(true);
    txtPolarSensitivity->setAccessibleName(lblPSensitivity->text());
    lblPSensitivity->setBuddy(txtPolarSensitivity);
}

void frmGraph::Form_Activate()
{
    if (!m_bActivatedOnce) {
        m_bActivatedOnce = true;
        activateWindow();
        picGraph->setFocus(Qt::ActiveWindowFocusReason);
    }
    Initialize();
    repaint();
}

void frmGraph::Initialize()
{
    repaint();
    // The stored view, in the mode the window is in; only the first plot
    // after opening grows progressively.
    const GraphView opening = OpeningView(gViewSettings, m_scene.view.bModePolar, picGraph->Picture().size());
    if (std::exchange(m_bViewShown, true))
        SetView(opening);
    else
        m_scene.view = opening;
    m_scene.view.bAnimate = std::exchange(m_bProgressiveNext, false);
    m_scene.entries = m_host.Expressions();
    {
        // Filled quietly: the chooser would report a selection as soon as its
        // first entry is added.
        const QSignalBlocker blocker(cmbExps);
        cmbExps->clear();
        cmbExps->addItem(tr("View all expressions"));
        cmbExps->addItems(m_scene.entries);
        cmbExps->setCurrentIndex(0);
    }
    PlotGraph();
}

void frmGraph::PlotGraph()
{
    m_bPlotPending = false;
    GraphView& view = m_scene.view;
    m_scene.iChosen = std::max(cmbExps->currentIndex(), 0);
    txtPolarSensitivity->setText(QString::number(view.iPolarSensitivity / 100));
    if (!objMath)
        objMath = std::make_unique<clsMath>();
    // A progressive plot shows the curves as they grow; no input is handled
    // meanwhile.
    if (view.bAnimate)
        m_pacer.emplace(CurveCount(m_scene) * SampleCountEstimate(CurveRange(view)), [this] { picGraph->Refresh(); });
    const auto beforePoint = [this] { m_pacer->BeforePoint(); };
    DrawGraph(picGraph->Canvas(), m_scene, *objMath,
              m_pacer ? std::function<void()>(beforePoint) : std::function<void()>());
    m_pacer.reset();
    view.bAnimate = false;
    m_pTrace->Follow(m_scene);
    picGraph->update();
}

template <typename Change>
void frmGraph::ChangeView(Change change)
{
    // As at the zoom limits, a step the view cannot take leaves it as it is.
    GraphView next = m_scene.view;
    change(next);
    if (IsFiniteView(next))
        SetView(next);
    Replot();
}

void frmGraph::SetView(const GraphView& next)
{
    m_history.Record(m_scene.view, next);
    m_scene.view = next;
    EnableHistoryItems();
}

void frmGraph::EnableHistoryItems()
{
    menuBar()->findChild<QAction*>(QStringLiteral("mnuUndoView"))->setEnabled(m_history.CanUndo());
    menuBar()->findChild<QAction*>(QStringLiteral("mnuRedoView"))->setEnabled(m_history.CanRedo());
}

void frmGraph::UndoView()
{
    if (const std::optional<GraphView> view = m_history.Undo(m_scene.view)) {
        m_scene.view = *view;
        EnableHistoryItems();
        Replot();
    }
}

void frmGraph::RedoView()
{
    if (const std::optional<GraphView> view = m_history.Redo(m_scene.view)) {
        m_scene.view = *view;
        EnableHistoryItems();
        Replot();
    }
}

void frmGraph::Replot()
{
    if (!m_bKeyCommand) {
        PlotGraph();
        return;
    }
    PostPlot();
}

void frmGraph::PostPlot()
{
    // Posted behind the input already queued, so keys held down in a heavy
    // scene each move the view at once and share one redraw.
    if (!std::exchange(m_bPlotPending, true))
        QCoreApplication::postEvent(this, new QEvent(kPendingPlotEvent), Qt::LowEventPriority);
}

void frmGraph::DecreasePolarSensitivity()
{
    if (!m_scene.view.bModePolar || m_scene.view.iPolarSensitivity <= 100)
        return;
    ChangeView(
        [](GraphView& view) { view.iPolarSensitivity = static_cast<std::int16_t>(view.iPolarSensitivity - 100); });
}

void frmGraph::IncreasePolarSensitivity()
{
    if (!m_scene.view.bModePolar || m_scene.view.iPolarSensitivity >= 1000)
        return;
    ChangeView(
        [](GraphView& view) { view.iPolarSensitivity = static_cast<std::int16_t>(view.iPolarSensitivity + 100); });
}

void frmGraph::DefaultScale()
{
    ChangeView([](GraphView& view) {
        view.dScaleX = kDefaultViewSettings.dScaleX;
        view.dScaleY = kDefaultViewSettings.dScaleY;
    });
}

void frmGraph::ToggleGrid()
{
    ChangeView([](GraphView& view) { view.bGrids = !view.bGrids; });
}

void frmGraph::ViewOrigin()
{
    ChangeView([](GraphView& view) {
        view.dOriginX = 0;
        view.dOriginY = 0;
    });
}

void frmGraph::RedrawGraph()
{
    m_scene.view.bAnimate = true;
    Replot();
}

void frmGraph::ZoomIn()
{
    ChangeView([](GraphView& view) {
        DecreaseScale(view.dScaleX);
        DecreaseScale(view.dScaleY);
    });
}

void frmGraph::ZoomInX()
{
    ChangeView([](GraphView& view) { DecreaseScale(view.dScaleX); });
}

void frmGraph::ZoomInY()
{
    ChangeView([](GraphView& view) { DecreaseScale(view.dScaleY); });
}

void frmGraph::ZoomOut()
{
    ChangeView([](GraphView& view) {
        IncreaseScale(view.dScaleX);
        IncreaseScale(view.dScaleY);
    });
}

void frmGraph::ZoomOutX()
{
    ChangeView([](GraphView& view) { IncreaseScale(view.dScaleX); });
}

void frmGraph::ZoomOutY()
{
    ChangeView([](GraphView& view) { IncreaseScale(view.dScaleY); });
}

void frmGraph::MoveDown()
{
    ChangeView([](GraphView& view) { view.dOriginY = view.dOriginY - view.dScaleY / DivisionsY(view); });
}

void frmGraph::MoveLeft()
{
    ChangeView([](GraphView& view) { view.dOriginX = view.dOriginX - view.dScaleX / DivisionsX(view); });
}

void frmGraph::MoveRight()
{
    ChangeView([](GraphView& view) { view.dOriginX = view.dOriginX + view.dScaleX / DivisionsX(view); });
}

void frmGraph::MoveUp()
{
    ChangeView([](GraphView& view) { view.dOriginY = view.dOriginY + view.dScaleY / DivisionsY(view); });
}

void frmGraph::ShowHelp()
{
    ShowMessage(tr("Help is unavailable with this version"), MessageIcon::Information, MessageButtons::OK,
                ProgramTitle());
}

void frmGraph::SetRectangularMode()
{
    if (!m_scene.view.bModePolar)
        return;
    ChangeView([](GraphView& view) { view.bModePolar = false; });
}

void frmGraph::SetPolarMode()
{
    if (m_scene.view.bModePolar)
        return;
    ChangeView([](GraphView& view) { view.bModePolar = true; });
}

void frmGraph::picGraph_KeyDown(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_Escape && m_pGestures->Dragging()) {
        m_pGestures->Cancel();
        return;
    }
    if (TraceKey(pEvent))
        return;
    const auto command = KeyCommand(pEvent->key(), pEvent->modifiers());
    if (!command)
        return;
    m_bKeyCommand = true;
    RunCommand(*command);
    m_bKeyCommand = false;
}

void frmGraph::picGraph_MouseMove(QMouseEvent* pEvent)
{
    // Picture pixels are counted from the top-left of its client area.
    const QPoint pixel = pEvent->position().toPoint() - picGraph->contentsRect().topLeft();
    const double x = WorldX(m_scene.view, pixel.x());
    const double y = WorldY(m_scene.view, pixel.y());
    double a = x;
    double b = y;
    if (m_scene.view.bModePolar) {
        clsMath objPointMath;
        double dX = x;
        double dY = y;
        a = objPointMath.GetR(dX, dY);
        b = objPointMath.GetTheta(dX, dY);
    }
    lblCoordinates->setText(QStringLiteral("(") + ReadoutText(a) + QStringLiteral(",") + ReadoutText(b)
                            + QStringLiteral(")"));
}

bool frmGraph::TraceKey(const QKeyEvent* pEvent)
{
    if (!m_pTrace->Shown() || (pEvent->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    PlotIfPending();
    switch (pEvent->key()) {
    case Qt::Key_Left: m_pTrace->Step(m_scene, -1); return true;
    case Qt::Key_Right: m_pTrace->Step(m_scene, 1); return true;
    case Qt::Key_Up: m_pTrace->ChangeCurve(m_scene, -1); return true;
    case Qt::Key_Down: m_pTrace->ChangeCurve(m_scene, 1); return true;
    case Qt::Key_Escape: m_pTrace->Remove(); return true;
    default: return false;
    }
}

void frmGraph::picGraph_Click(QPointF pixel)
{
    PlotIfPending();
    m_pTrace->Click(m_scene, pixel);
}

void frmGraph::picGraph_Zoomed(QPointF pixel, int iNotches, ZoomAxes axes)
{
    // Wheel turns come as fast as keys held down, and share redraws as they do.
    m_bKeyCommand = true;
    for (int i = 0; i < std::abs(iNotches); ++i)
        ChangeView([&](GraphView& view) { view = ZoomedAt(view, pixel, iNotches > 0, axes); });
    m_bKeyCommand = false;
}

void frmGraph::picGraph_Panned(QPointF offset)
{
    // The view follows the pointer at once, so the readout names the point
    // under it; the picture catches up as fast as it can be drawn.
    const GraphView next = Panned(m_panStart, offset);
    if (IsFiniteView(next))
        m_scene.view = next;
    PostPlot();
}

void frmGraph::picGraph_PanEnded()
{
    // A whole drag is one step back.
    const GraphView end = m_scene.view;
    m_scene.view = m_panStart;
    SetView(end);
}

void frmGraph::picGraph_Boxed(QRectF box)
{
    if (const std::optional<GraphView> next = BoxedView(m_scene.view, box)) {
        SetView(*next);
        Replot();
    }
}

void frmGraph::ShowTrace()
{
    // A screen reader reads the trace from the picture's description.
    picGraph->setAccessibleDescription(m_pTrace->Label(m_scene));
    picGraph->update();
}

void frmGraph::CloseGraph()
{
    close();
}
