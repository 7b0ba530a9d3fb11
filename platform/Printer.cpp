#include "Printer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr double kTwipsPerInch = 1440.0;

class RealPrinter : public PrinterService {
public:
    PrintResult PrintPage(const PageDrawer& draw) override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return PrintResult::NoPrinter;
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Graph"));
        PrintDocument document(printer);
        if (!document.IsOpen())
            return PrintResult::Failed;
        draw(document);
        return document.EndDoc() ? PrintResult::Printed : PrintResult::Failed;
    }
};

} // namespace

template <>
PrinterService& ServiceSlot<PrinterService>::Real()
{
    static RealPrinter printer;
    return printer;
}

PrintDocument::PrintDocument(QPaintDevice& device)
    : Font(QStringLiteral("Arial"), 10)
    , m_device(device)
{
    m_painter.begin(&m_device);
}

PrintDocument::~PrintDocument()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PrintDocument::IsOpen() const
{
    return m_painter.isActive();
}

QPointF PrintDocument::ToDevice(double dX, double dY) const
{
    return QPointF(dX * m_device.logicalDpiX() / kTwipsPerInch, dY * m_device.logicalDpiY() / kTwipsPerInch);
}

void PrintDocument::Print(const QString& strLine)
{
    const QFontMetricsF metrics(Font, &m_device);
    const QPointF topLeft = ToDevice(CurrentX, CurrentY);
    if (IsOpen()) {
        m_painter.setFont(Font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(topLeft + QPointF(0, metrics.ascent()), strLine);
        m_texts.append({strLine, topLeft});
    }
    CurrentX = 0.0;
    CurrentY += metrics.height() * kTwipsPerInch / m_device.logicalDpiY();
}

void PrintDocument::PaintPicture(const QImage& picture, double dX, double dY, double dWidth, double dHeight)
{
    const QRectF target(ToDevice(dX, dY), ToDevice(dX + dWidth, dY + dHeight));
    if (!IsOpen())
        return;
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, picture);
    m_pictures.append({picture, target});
}

bool PrintDocument::EndDoc()
{
    return IsOpen() && m_painter.end();
}

PrintResult PrintOnDefaultPrinter(const PageDrawer& draw)
{
    return ServiceSlot<PrinterService>::Current().PrintPage(draw);
}
