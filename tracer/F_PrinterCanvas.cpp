#include "tracer/F_PrinterCanvas.h"

#include "core/U_Fonts.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPrinter>

TPrinterCanvas::TPrinterCanvas(QPrinter& printer) : printer(printer) {}

TPrinterCanvas::~TPrinterCanvas()
{
    // A document left open is never completed behind the caller's back.
    if (painter.isActive())
        Abort();
}

bool TPrinterCanvas::BeginDocument(const QString& title)
{
    printer.setDocName(title);
    const QString file = printer.outputFileName();
    // Only a file this document creates is removed by an abort, never one that was there.
    if (printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty() &&
        !QFileInfo::exists(file))
        createdFile = file;
    if (!painter.begin(&printer))
        return false;
    painter.setPen(Qt::black);
    return true;
}

int TPrinterCanvas::PageWidth() const
{
    return printer.width();
}

void TPrinterCanvas::SetFont(const QString& family, int points, bool bold)
{
    painter.setFont(Fonts::PointFont(family, points, bold));
    // Measured against the printer's resolution, not the screen's.
    const QFontMetrics metrics = painter.fontMetrics();
    ascent = metrics.ascent();
    height = metrics.height();
}

int TPrinterCanvas::TextHeight() const
{
    return height;
}

void TPrinterCanvas::TextOut(int x, int y, const QString& text)
{
    // y is the top of the text; Qt draws from the baseline.
    painter.drawText(x, y + ascent, text);
}

bool TPrinterCanvas::NewPage()
{
    return printer.newPage();
}

bool TPrinterCanvas::EndDocument()
{
    return painter.end() && printer.printerState() != QPrinter::Error;
}

void TPrinterCanvas::Abort()
{
    // A job a printer already holds cannot always be recalled: abort() says so and nothing
    // more can be done about it.
    printer.abort();
    if (painter.isActive())
        painter.end();
    if (!createdFile.isEmpty())
        QFile::remove(createdFile);
}
