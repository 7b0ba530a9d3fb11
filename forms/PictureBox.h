#pragma once

#include "PictureCanvas.h"

#include <QFrame>
#include <QImage>

// A picture box: a sunken frame around a persistent image that all drawing
// goes to. Painting the widget only shows the image; Refresh shows it at
// once. The image keeps the size of the client area the widget had when it
// was made.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    // A white picture whose outer size is outerSize, with a 2-pixel sunken
    // border around its client area.
    PictureBox(QWidget* pParent, const QSize& outerSize);

    PictureCanvas& Canvas() { return m_canvas; }
    const QImage& Picture() const { return m_image; }

    // Shows the image now, without waiting for the event loop.
    void Refresh();

signals:
    // The widget was painted for the first time: its window is on screen.
    void FirstPainted();
    void KeyDown(QKeyEvent* pEvent);
    void MouseMove(QMouseEvent* pEvent);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;

private:
    QImage m_image;
    PictureCanvas m_canvas;
    bool m_bPainted = false;
};
