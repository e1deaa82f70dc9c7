#include "tracer/F_TracePrinter.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"
#include "platform/U_Platform.h"
#include "tracer/F_PrinterCanvas.h"
#include "tracer/U_PdfFile.h"
#include "tracer/U_TraceGrid.h"
#include "tracer/U_TracePrint.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

#include <exception>

namespace {
const QString kCannotPrint = QStringLiteral("Impression impossible : ");
constexpr int kAnnounceMs = 4000;
constexpr int kAnnounceFontSize = 12;

// Prints on `printer`; a failure is told with `deviceFailure` or the day total's own error.
bool Run(QPrinter& printer, const TTraceGrid& grid, const QString& title, int day,
         const QString& deviceFailure)
{
    TPrinterCanvas canvas(printer);
    try {
        if (PrintTraceGrid(grid, title, day, canvas, Platform().UserName()))
            return true;
        ShowPlainMessage(kCannotPrint + deviceFailure);
    } catch (const std::exception& e) {
        ShowPlainMessage(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

bool PrintOnPrinter(const QPrinterInfo& info, const TTraceGrid& grid, const QString& title, int day)
{
    QPrinter printer(info, QPrinter::HighResolution);
    return Run(
        printer, grid, title, day,
        QStringLiteral("l'imprimante %1 n'a pas accepté le document.").arg(info.printerName()));
}

// Without a printer the trace goes into a PDF in the program's folder, announced when whole.
// The PDF writer reports no write error of its own: the file is written under a temporary name
// and takes its own only once it is checked whole and on the disk.
bool PrintToPdf(const TTraceGrid& grid, const QString& title, int day)
{
    PdfFile::RemoveLeftovers(AppFolder());
    const QString path = FreeDatedPath(QStringLiteral("Traceur"), QStringLiteral(".pdf"));
    const QString temporary = PdfFile::TemporaryFor(path);
    const QString failure = QStringLiteral("le fichier %1 n'a pas pu être écrit.").arg(path);
    // Made first for the user alone: the PDF writer keeps an existing file's mode.
    if (!TextFile::ReplaceBytes(temporary, QByteArray())) {
        ShowPlainMessage(kCannotPrint + failure);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary);
    if (!Run(printer, grid, title, day, failure)) {
        QFile::remove(temporary);
        return false;
    }
    if (!PdfFile::Commit(temporary, path)) {
        ShowPlainMessage(kCannotPrint + QStringLiteral("le fichier %1 n'a pas pu être écrit en "
                                                       "entier (disque plein ?) ; il a été "
                                                       "supprimé.")
                                            .arg(path));
        return false;
    }
    ShowMessageWindow(QStringLiteral("Trace imprimée dans ") + path, 0xFFFFFF, 0, kAnnounceMs,
                      kAnnounceFontSize, 0, 0);
    return true;
}
} // namespace

bool PrintTrace(const TTraceGrid& grid, const QString& title, int day)
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull())
        return PrintOnPrinter(printer, grid, title, day);
    return PrintToPdf(grid, title, day);
}
