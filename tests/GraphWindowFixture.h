#pragma once

// A graph window on screen for tests, reading its expressions from a plain
// list, and the same graph drawn as a scene with no window.

#include <QComboBox>
#include <QPointer>
#include <QtTest>

#include "GraphHost.h"
#include "GraphScene.h"
#include "PictureBox.h"
#include "Settings.h"
#include "frmGraph.h"

constexpr int kCenterX = 238;
constexpr int kCenterY = 230;

// Counts the times a widget is painted.
struct PaintCounter : QObject {
    int iPaints = 0;
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint)
            ++iPaints;
        return false;
    }
};

// A graph window on screen, showing the given expressions with the view
// settings the test has stored.
struct GraphWindow {
    explicit GraphWindow(const QStringList& entries = {}, bool bPolar = false, bool bAnimate = false)
    {
        host.entries = entries;
        window = new frmGraph(host, GraphOpening{.bPolar = bPolar, .bProgressive = bAnimate});
        Picture()->installEventFilter(&paints);
        window->show();
        // The window initialises itself once it is on screen.
        if (!QTest::qWaitForWindowExposed(window) || !QTest::qWaitFor([this] { return Chooser()->count() > 0; }))
            qFatal("the graph window did not initialise");
    }
    ~GraphWindow() { delete window; }

    PictureBox* Picture() const { return window->findChild<PictureBox*>(QStringLiteral("picGraph")); }
    QComboBox* Chooser() const { return window->findChild<QComboBox*>(QStringLiteral("cmbExps")); }
    const QImage& Image() const { return Picture()->Picture(); }

    ListHost host;
    PaintCounter paints;
    QPointer<frmGraph> window;
};

// The picture a graph window opened on the expressions with the stored
// settings shows first, drawn from its scene.
inline QImage ScenePicture(const QStringList& entries = {}, bool bPolar = false)
{
    return GraphPicture(GraphScene{entries, 0, OpeningView(gViewSettings, bPolar)});
}
