#pragma once

#include "GraphCommands.h"
#include "GraphScene.h"
#include "ModalForm.h"
#include "PlotPacing.h"
#include "ViewHistory.h"
#include "ViewNavigation.h"
#include "clsMath.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>

class CurveTrace;
class ViewGestures;
class GraphHost;
class PictureBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QToolBar;

// How the graph window is opened: in polar mode (curves r = f(theta)) or
// not, and whether its first plot shows the curves as they grow, as it does
// after Draw Graph.
struct GraphOpening {
    bool bPolar = false;
    bool bProgressive = true;
};

// The graph window: the expressions of the main window's list drawn as
// curves y = f(x), or r = f(theta) in polar mode, on a picture with axes,
// marks and value labels.
class frmGraph : public QMainWindow, public ActivatableForm {
    Q_OBJECT

public:
    frmGraph(GraphHost& host, GraphOpening opening, QWidget* pParent = nullptr);
    ~frmGraph() override;

    // Redraws the picture: axes, then the chosen expression or all of them,
    // each with its legend.
    void PlotGraph();

    // The graph as it was last drawn, handed to the outside: written to a
    // file the user chooses (a BMP or PNG picture, or an SVG or PDF drawing),
    // put on the clipboard, or printed on the default printer under three
    // lines of text.
    void Save();
    void CopyToClipboard();
    void PrintGraph();
    void DecreasePolarSensitivity();
    void DefaultScale();
    void ToggleGrid();
    void IncreasePolarSensitivity();
    void ViewOrigin();
    // Redraws progressively, showing the curves as they grow.
    void RedrawGraph();
    void ZoomIn();
    void ZoomInX();
    void ZoomInY();
    void ZoomOut();
    void ZoomOutX();
    void ZoomOutY();

    // Rebuilds the view from the stored view settings, fills the chooser
    // with "View all expressions" and the list's expressions, and redraws.
    void Initialize();

    void MoveDown();
    void MoveLeft();
    void MoveRight();
    void MoveUp();
    void ShowHelp();
    // Back to the view before the last change, and forth again.
    void UndoView();
    void RedoView();

    // Runs when the window is first on screen and when a window of ours that
    // it opened closes.
    void Form_Activate() override;

    // The view as it is drawn now, and the whole graph.
    const GraphView& View() const { return m_scene.view; }
    const GraphScene& Scene() const { return m_scene; }
    // The point traced on a curve, if any, with its points of interest.
    const CurveTrace& Trace() const { return *m_pTrace; }

protected:
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateMenus();
    void CreateToolbar(QWidget* pClient);
    void CreateControls(QWidget* pClient);
    // Applies a change of scale or centre, unless the view would no longer
    // be finite, and redraws either way.
    template <typename Change>
    void ChangeView(Change change);
    // Shows the next view from now on, leaving the one before it to undo.
    void SetView(const GraphView& next);
    void EnableHistoryItems();
    // Redraws now, or for a command from the keyboard once the keys already
    // waiting have been handled.
    void Replot();
    // Redraws once the input already queued has been handled.
    void PostPlot();
    void PlotIfPending();
    void RunCommand(GraphCommand command);
    void ShowRangeSelector();
    // Opens the table of values of the expressions shown.
    void ShowTable();
    void Toolbar1_ButtonClick(const QString& strKey);
    void picGraph_KeyDown(QKeyEvent* pEvent);
    void picGraph_MouseMove(QMouseEvent* pEvent);
    void picGraph_Click(QPointF pixel);
    void picGraph_Zoomed(QPointF pixel, int iNotches, ZoomAxes axes);
    void picGraph_Panned(QPointF offset);
    void picGraph_PanEnded();
    void picGraph_Boxed(QRectF box);
    // The trace's keys while a trace is shown; whether the key was one.
    bool TraceKey(const QKeyEvent* pEvent);
    void ShowTrace();
    void CloseGraph();
    void SetRectangularMode();
    void SetPolarMode();

    GraphHost& m_host;
    // What the picture shows: the chooser's entries, the one chosen, and the
    // view with its mode.
    GraphScene m_scene;
    bool m_bProgressiveNext; // the next Initialize plots progressively
    std::unique_ptr<clsMath> objMath;
    bool m_bActivatedOnce = false;
    // Paces the refreshes while a progressive plot draws.
    std::optional<PlotPacer> m_pacer;
    bool m_bKeyCommand = false;  // a key's command (or the wheel's) is running
    bool m_bPlotPending = false; // a redraw waits for the keys before it
    std::unique_ptr<CurveTrace> m_pTrace;
    ViewGestures* m_pGestures = nullptr;
    ViewHistory m_history;
    GraphView m_panStart;      // the view a pan started from
    bool m_bViewShown = false; // the opening view has been drawn

    QToolBar* Toolbar1 = nullptr;
    QComboBox* cmbExps = nullptr;
    QPushButton* cmdMoveUp = nullptr;
    QPushButton* cmdReturn = nullptr;
    QPushButton* cmdMoveLeft = nullptr;
    PictureBox* picGraph = nullptr;
    QPushButton* cmdMoveRight = nullptr;
    QPushButton* cmdMoveDown = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblCoordinates = nullptr;
    QLabel* lblPSensitivity = nullptr;
    QLineEdit* txtPolarSensitivity = nullptr;
};
