#pragma once

#include "Printer.h"

#include <QImage>
#include <QList>

// A default printer whose page is an image of US Letter at the given
// resolution. While it exists, printing draws on a fresh page and keeps it
// with what was put on it. With bHasPrinter false there is no default
// printer; with bFailEnd the page cannot be sent.
class PrinterDouble : public ServiceStandIn<PrinterService> {
public:
    explicit PrinterDouble(int iDotsPerInch = 144);

    PrintResult PrintPage(const PageDrawer& draw) override;

    bool bHasPrinter = true;
    bool bFailEnd = false;

    int iPagesPrinted = 0;
    QImage page;
    QList<PrintDocument::Text> texts;
    QList<PrintDocument::Picture> pictures;

private:
    int m_iDotsPerInch;
};
