#pragma once

#include "tracer/U_TraceGrid.h"

#include <QString>

// What printing the trace needs of a page device. The layout is computed against it alone,
// so that it is tested without a printer.
class TPrintCanvas
{
public:
    virtual ~TPrintCanvas() = default;
    // Starts a document (a print job) named `title`; false when it cannot be started.
    virtual bool BeginDocument(const QString& title) = 0;
    // The page width in device pixels.
    virtual int PageWidth() const = 0;
    // The font of the texts drawn next: a design family ("Arial"), a size in points.
    virtual void SetFont(const QString& family, int points, bool bold) = 0;
    // The height of a text in the current font, in device pixels.
    virtual int TextHeight() const = 0;
    // Draws `text` with its top left corner at (x, y), in black.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual bool NewPage() = 0;
    // Ends the document; false when it could not be completed.
    virtual bool EndDocument() = 0;
    // Cancels the document: nothing of it is printed or kept.
    virtual void Abort() = 0;
};

// Prints the trace grid: every day when `day` is 0, else the rows of the journal's tab
// `day` - 1 (tab 0 being the newest day). `userName` heads the pages after the first.
// A day total that cannot be computed (a duration that is no time, 24 hours or more) throws
// EConvertError before the document is started. Returns false when the device failed; the
// document is aborted then.
bool PrintTraceGrid(const TTraceGrid& grid, const QString& title, int day, TPrintCanvas& canvas,
                    const QString& userName);
