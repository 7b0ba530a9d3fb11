#pragma once

#include "ServiceSlot.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

class QPaintDevice;

// One printed page, described as the program lays it out: a text position in
// twips (1/1440 inch) from the top-left corner of the printable area, lines
// of text in the printer's default font, and pictures stretched into
// rectangles. Twips are converted through the device's resolution.
class PrintDocument {
public:
    // Starts the document on the device.
    explicit PrintDocument(QPaintDevice& device);
    ~PrintDocument();
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    // False when the device cannot be drawn on.
    bool IsOpen() const;

    // Draws the line with its top-left corner at the text position, then
    // moves the position to the start of the next line.
    void Print(const QString& strLine);
    void PaintPicture(const QImage& picture, double dX, double dY, double dWidth, double dHeight);
    // Ends the document, which sends the page. False when that failed.
    bool EndDoc();

    double CurrentX = 0.0;
    double CurrentY = 0.0;
    QFont Font;

    // What was put on the page, in device pixels.
    struct Text {
        QString strText;
        QPointF topLeft;
    };
    struct Picture {
        QImage image;
        QRectF target;
    };
    const QList<Text>& Texts() const { return m_texts; }
    const QList<Picture>& Pictures() const { return m_pictures; }

private:
    QPointF ToDevice(double dX, double dY) const;

    QPaintDevice& m_device;
    QPainter m_painter;
    QList<Text> m_texts;
    QList<Picture> m_pictures;
};

enum class PrintResult { Printed, NoPrinter, Failed };

using PageDrawer = std::function<void(PrintDocument& document)>;

// Prints one page on the default printer, without asking the user.
PrintResult PrintOnDefaultPrinter(const PageDrawer& draw);

// The default printer that PrintOnDefaultPrinter prints on: the real one,
// unless a stand-in has taken its place.
class PrinterService {
public:
    virtual ~PrinterService() = default;
    virtual PrintResult PrintPage(const PageDrawer& draw) = 0;
};

template <>
PrinterService& ServiceSlot<PrinterService>::Real();
