#include "frmGraph.h"

#include "ArrowIcon.h"
#include "BitmapFile.h"
#include "Clipboard.h"
#include "CurveSampling.h"
#include "EntryEvaluation.h"
#include "FormLayout.h"
#include "GraphHost.h"
#include "MessageBox.h"
#include "NumberFormat.h"
#include "PictureBox.h"
#include "PlotDrawing.h"
#include "Printer.h"
#include "ProgramInfo.h"
#include "PushButton.h"
#include "SaveFileDialog.h"
#include "ScaleSteps.h"
#include "Settings.h"
#include "ToolbarIcons.h"
#include "VectorFile.h"

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

constexpr const char* kPictureFilter = "Pictures (*.bmp)|*.bmp|PNG pictures (*.png)|*.png|"
                                       "SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf";

} // namespace

std::optional<PictureFormat> PictureFormatOfFile(const QString& strFile)
{
    // The formats are the filters of the save dialog, in order.
    const QString strExtension = QFileInfo(strFile).suffix();
    for (int iFormat = 0; iFormat <= static_cast<int>(PictureFormat::Pdf); ++iFormat)
        if (strExtension.compare(FilterExtension(QLatin1String(kPictureFilter), iFormat, QString()), Qt::CaseInsensitive)
            == 0)
            return static_cast<PictureFormat>(iFormat);
    return std::nullopt;
}

frmGraph::frmGraph(GraphHost& host, QWidget* pParent)
    : QMainWindow(pParent, Qt::Window)
    , m_host(host)
{
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
            if (!pAction->shortcut().isEmpty() && pAction->shortcut() == keys) {
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
        pAction->setShortcut(QKeySequence(QLatin1String(item.pszShortcut)));
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
    // Cancelling writes nothing. A failed write leaves no partial file and
    // an existing file untouched, and says why, so that nobody believes the
    // graph was saved.
    const std::optional<SaveDialogAnswer> choice = ShowSaveDialog(this, QLatin1String(kPictureFilter),
                                                                  QStringLiteral("bmp"));
    QString strReason;
    if (choice && !WritePicture(choice->strFile, static_cast<PictureFormat>(choice->iFilter), &strReason))
        ShowMessage(tr("The graph could not be saved as \"%1\": %2")
                        .arg(QDir::toNativeSeparators(choice->strFile), strReason),
                    MessageIcon::Critical);
}

bool frmGraph::WritePicture(const QString& strFile, PictureFormat format, QString* pstrReason)
{
    if (format != PictureFormat::Svg && format != PictureFormat::Pdf)
        return WriteBitmapFile(picGraph->Picture(), strFile, pstrReason, format == PictureFormat::Png ? "PNG" : "BMP");
    // A drawing runs the plot once more on the document, so that it holds
    // lines and texts rather than pixels.
    return WriteVectorFile(
        format == PictureFormat::Svg ? VectorFormat::Svg : VectorFormat::Pdf, strFile, picGraph->Picture().size(),
        tr("Graph created by Velmora"),
        [this](QPainter& painter) {
            const PictureCanvas::Mirror mirror(picGraph->Canvas(), painter);
            PlotGraph();
        },
        pstrReason);
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
        Printer.Print(tr("Graph created by Velmora"));
        Printer.CurrentX = 1000;
        Printer.Print(tr("made by Quendril"));
        Printer.CurrentX = 1000;
        Printer.Print(AuthorWebAddress());
        Printer.PaintPicture(picture, 500, 1500, 10000, 10000);
    });
    if (result == PrintResult::NoPrinter)
        ShowMessage(tr("The graph cannot be printed: there is no default printer."), MessageIcon::Critical);
    else if (result == PrintResult::Failed)
        ShowMessage(tr("The graph could not be printed."), MessageIcon::Critical);
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
    PictureCanvas& canvas = picGraph->Canvas();
    canvas.Font = QFont(font().family());
    canvas.Font.setPointSize(8);
    m_view.iHalfSize = 200;
    m_view.iLabelStepX = 1;
    m_view.iLabelStepY = 1;
    m_view.iTickLength = 5;
    m_view.dScaleX = gViewSettings.dScaleX;
    m_view.dScaleY = gViewSettings.dScaleY;
    m_view.iDivisionsX = gViewSettings.iDivisionsX;
    m_view.iDivisionsY = gViewSettings.iDivisionsY;
    m_view.dOriginX = gViewSettings.dOriginX;
    m_view.dOriginY = gViewSettings.dOriginY;
    m_view.iPolarSensitivity = gViewSettings.iPolarSensitivity;
    // The centre of the picture's client area, halves rounded to even.
    m_view.iCenterX = static_cast<std::int16_t>(std::nearbyint(picGraph->Picture().width() / 2.0));
    m_view.iCenterY = static_cast<std::int16_t>(std::nearbyint(picGraph->Picture().height() / 2.0));
    m_view.bAnimate = gViewSettings.bAnimate;
    gViewSettings.bAnimate = false;
    m_view.bGrids = gViewSettings.bGrids;
    {
        // Filled quietly: the chooser would report a selection as soon as its
        // first entry is added.
        const QSignalBlocker blocker(cmbExps);
        cmbExps->clear();
        cmbExps->addItem(tr("View all expressions"));
        cmbExps->addItems(m_host.Expressions());
        cmbExps->setCurrentIndex(0);
    }
    PlotGraph();
}

void frmGraph::PlotGraph()
{
    m_bPlotPending = false;
    DrawAxes();
    PictureCanvas& canvas = picGraph->Canvas();
    canvas.DrawWidth = 2;
    canvas.Font.setBold(true);
    const int iChosen = cmbExps->currentIndex();
    if (m_view.bAnimate) {
        const int iCurves = iChosen > 0 ? 1 : cmbExps->count() - 1;
        m_pacer.emplace(iCurves * SampleCountEstimate(CurveRange(m_view)), [this] { picGraph->Refresh(); });
    }
    if (iChosen > 0) {
        PlotEntry(cmbExps->itemText(iChosen), kChosenCurveColor, 2 * m_view.iHalfSize - 50);
    } else {
        const int iCount = cmbExps->count();
        for (int i = 1; i < iCount; ++i)
            PlotEntry(cmbExps->itemText(i), CurveColor(i), 2 * m_view.iHalfSize + 50 - 15.0 * iCount + 15.0 * i);
    }
    m_pacer.reset();
    m_view.bAnimate = false;
    canvas.DrawWidth = 1;
    canvas.ForeColor = 0;
    canvas.Font.setBold(false);
    picGraph->update();
}

void frmGraph::PlotEntry(const QString& strEntry, std::uint32_t lColor, double dLegendY)
{
    PictureCanvas& canvas = picGraph->Canvas();
    canvas.ForeColor = lColor;
    canvas.CurrentX = 20;
    canvas.CurrentY = dLegendY;
    canvas.Print(strEntry);
    std::string strExpression = EvaluatorText(strEntry);
    PlotExpression(strExpression);
}

template <typename Change>
void frmGraph::ChangeView(Change change)
{
    // As at the zoom limits, a step the view cannot take leaves it as it is.
    GraphView next = m_view;
    change(next);
    if (IsFiniteView(next))
        m_view = next;
    Replot();
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
    if (!m_view.bModePolar || m_view.iPolarSensitivity <= 100)
        return;
    m_view.iPolarSensitivity = static_cast<std::int16_t>(m_view.iPolarSensitivity - 100);
    Replot();
}

void frmGraph::IncreasePolarSensitivity()
{
    if (!m_view.bModePolar || m_view.iPolarSensitivity >= 1000)
        return;
    m_view.iPolarSensitivity = static_cast<std::int16_t>(m_view.iPolarSensitivity + 100);
    Replot();
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
    m_view.bGrids = !m_view.bGrids;
    Replot();
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
    m_view.bAnimate = true;
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
    if (!m_view.bModePolar)
        return;
    m_view.bModePolar = false;
    Replot();
}

void frmGraph::SetPolarMode()
{
    if (m_view.bModePolar)
        return;
    m_view.bModePolar = true;
    Replot();
}

void frmGraph::DrawAxes()
{
    txtPolarSensitivity->setText(QString::number(m_view.iPolarSensitivity / 100));
    PaintAxes(picGraph->Canvas(), m_view);
}

void frmGraph::PlotExpression(std::string& strExpression)
{
    if (!objMath)
        objMath = std::make_unique<clsMath>();
    // A progressive plot shows the curve as it grows; no input is handled
    // meanwhile.
    const auto beforePoint = [this] { m_pacer->BeforePoint(); };
    PaintCurve(picGraph->Canvas(), m_view, *objMath, strExpression,
               m_pacer ? std::function<void()>(beforePoint) : std::function<void()>());
}

void frmGraph::picGraph_KeyDown(QKeyEvent* pEvent)
{
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
    const double x = WorldX(m_view, pixel.x());
    const double y = WorldY(m_view, pixel.y());
    double a = x;
    double b = y;
    if (m_view.bModePolar) {
        clsMath objPointMath;
        double dX = x;
        double dY = y;
        a = objPointMath.GetR(dX, dY);
        b = objPointMath.GetTheta(dX, dY);
    }
    lblCoordinates->setText(QStringLiteral("(") + ReadoutText(a) + QStringLiteral(",") + ReadoutText(b)
                            + QStringLiteral(")"));
}

void frmGraph::CloseGraph()
{
    close();
}
