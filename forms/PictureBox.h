#pragma once

#include "PictureCanvas.h"

#include <QFrame>
#include <QImage>
#include <QPainter>

#include <optional>

// A picture box: a sunken frame around a persistent image that all drawing
// goes to. Painting the widget only shows the image; Refresh shows it at
// once. The image keeps the size of the client area the widget had when it
// was made.
//
// On a screen with finer pixels than the image's, the widget shows a copy
// drawn at the screen's resolution, through a mirror of the canvas; the
// image itself stays as it is. When the screen's resolution changes, the
// copy starts as the image enlarged and ResolutionChanged asks the owner to
// draw again.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    // A white picture whose outer size is outerSize, with a 2-pixel sunken
    // border around its client area.
    PictureBox(QWidget* pParent, const QSize& outerSize);

    PictureCanvas& Canvas() { return m_canvas; }
    const QImage& Picture() const { return m_image; }
    // What the widget shows: the picture at the screen's resolution.
    const QImage& ScreenPicture() const { return m_screen.isNull() ? m_image : m_screen; }

    // Shows the image now, without waiting for the event loop.
    void Refresh();

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
    // Makes the screen copy fit the widget's device pixel ratio; true when
    // that changed it.
    bool FollowScreenResolution();

    QImage m_image;
    PictureCanvas m_canvas;
    QImage m_screen; // null when the screen's pixels are those of the image
    QPainter m_screenPainter;
    std::optional<PictureCanvas::Mirror> m_screenMirror;
    bool m_bPainted = false;
};
