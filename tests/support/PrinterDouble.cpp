#include "PrinterDouble.h"

PrinterDouble::PrinterDouble(int iDotsPerInch)
    : m_iDotsPerInch(iDotsPerInch)
{
}

PrintResult PrinterDouble::PrintPage(const PageDrawer& draw)
{
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
}
