#pragma once

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
// twips (1/1440 inch) from the top-left corner of the printable area, lines of text in the
// printer's default font, and pictures stretched into rectangles. Twips are
// converted through the device's resolution.
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

// Replaces the printer PrintOnDefaultPrinter uses; returns the previous
// handler. An empty handler restores the real printer.
using PrinterHandler = std::function<PrintResult(const PageDrawer& draw)>;
PrinterHandler SetPrinterHandler(PrinterHandler handler);

// Test double: a default printer whose page is an image of US Letter at the
// given resolution. While it exists, printing draws on a fresh page and
// keeps it with what was put on it. With bHasPrinter false there is no
// default printer; with bFailEnd the page cannot be sent.
class PrinterDouble {
public:
    explicit PrinterDouble(int iDotsPerInch = 144);
    ~PrinterDouble();
    PrinterDouble(const PrinterDouble&) = delete;
    PrinterDouble& operator=(const PrinterDouble&) = delete;

    bool bHasPrinter = true;
    bool bFailEnd = false;

    int iPagesPrinted = 0;
    QImage page;
    QList<PrintDocument::Text> texts;
    QList<PrintDocument::Picture> pictures;

private:
    int m_iDotsPerInch;
    PrinterHandler m_previous;
};
