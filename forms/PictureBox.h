#pragma once

#include "PictureCanvas.h"
#include "ScreenCopy.h"

#include <QFrame>
#include <QImage>

#include <functional>
#include <utility>

class QPainter;

// A picture box: a sunken frame around a persistent image that all drawing
// goes to. Painting the widget only shows the image; Refresh shows it at
// once. The image keeps the size of the client area the widget had when it
// was made.
//
// On a screen with finer pixels than the image's, the widget shows a copy
// drawn at the screen's resolution; the image itself stays as it is. When
// the screen's resolution changes, ResolutionChanged asks the owner to draw
// again.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    // A white picture whose outer size is outerSize, with a 2-pixel sunken
    // border around its client area.
    PictureBox(QWidget* pParent, const QSize& outerSize);

    PictureCanvas& Canvas() { return m_canvas; }
    const QImage& Picture() const { return m_image; }
    // What the widget shows: the picture at the screen's resolution.
    const QImage& ScreenPicture() { return m_screen.Shown(); }

    // Shows the image now, without waiting for the event loop.
    void Refresh();

    // Drawn over the picture on screen after it, in picture pixels; never
    // part of the picture itself.
    void SetOverlay(std::function<void(QPainter&)> paintOverlay) { m_paintOverlay = std::move(paintOverlay); }

signals:
    // The widget was painted for the first time: its window is on screen.
    void FirstPainted();
    // The screen's resolution changed; the picture wants drawing again.
    void ResolutionChanged();
    void KeyDown(QKeyEvent* pEvent);
    void MouseMove(QMouseEvent* pEvent);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;

private:
    QImage m_image;
    PictureCanvas m_canvas;
    ScreenCopy m_screen;
    bool m_bPainted = false;
    std::function<void(QPainter&)> m_paintOverlay;
};
