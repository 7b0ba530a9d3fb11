#include "Printer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr double kTwipsPerInch = 1440.0;

PrinterHandler& CurrentHandler()
{
    static PrinterHandler handler;
    return handler;
}

PrintResult PrintOnRealPrinter(const PageDrawer& draw)
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

} // namespace

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
    if (CurrentHandler())
        return CurrentHandler()(draw);
    return PrintOnRealPrinter(draw);
}

PrinterHandler SetPrinterHandler(PrinterHandler handler)
{
    PrinterHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

PrinterDouble::PrinterDouble(int iDotsPerInch)
    : m_iDotsPerInch(iDotsPerInch)
{
    m_previous = SetPrinterHandler([this](const PageDrawer& draw) {
        if (!bHasPrinter)
            return PrintResult::NoPrinter;
        page = QImage(m_iDotsPerInch * 17 / 2, m_iDotsPerInch * 11, QImage::Format_RGB32);
        const int iDotsPerMeter = qRound(m_iDotsPerInch / 0.0254);
        page.setDotsPerMeterX(iDotsPerMeter);
        page.setDotsPerMeterY(iDotsPerMeter);
        page.fill(Qt::white);
        PrintDocument document(page);
        draw(document);
        texts = document.Texts();
        pictures = document.Pictures();
        if (!document.EndDoc() || bFailEnd)
            return PrintResult::Failed;
        ++iPagesPrinted;
        return PrintResult::Printed;
    });
}

PrinterDouble::~PrinterDouble()
{
    SetPrinterHandler(std::move(m_previous));
}
