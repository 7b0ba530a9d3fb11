#pragma once

#include "PictureCanvas.h"
#include "ScreenCopy.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QPoint>

#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The comparison window: every expression of the main window's list
// evaluated at one value of x, one coloured line each, written on the
// window's own surface.
class frmValue : public QDialog {
    Q_OBJECT

public:
    explicit frmValue(const QListWidget& lstExpression, QWidget* pParent = nullptr);
    ~frmValue() override;

    // A line of output as it was written: its text, colour (0x00BBGGRR) and
    // top-left corner on the surface.
    struct OutputLine {
        QString strText;
        std::uint32_t lColor;
        QPoint at;
    };
    const QList<OutputLine>& OutputLines() const { return m_lines; }
    const QImage& Surface() const { return m_surface; }

protected:
    bool event(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void cmdEvaluate_Click();
    void Command1_Click();
    // Sets the outer height, frame included, and resizes the surface to the
    // new client area.
    void SetOuterHeight(int iPixels);
    // Writes a line of output on the surface, where and in the colour it
    // was written first.
    void WriteLine(const OutputLine& line);

    const QListWidget& m_lstExpression;
    QImage m_surface;
    PictureCanvas m_canvas;
    ScreenCopy m_screen;
    QList<OutputLine> m_lines;

    QPushButton* cmdEvaluate = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* txtValue = nullptr;
    QLabel* lblValue = nullptr;
};
