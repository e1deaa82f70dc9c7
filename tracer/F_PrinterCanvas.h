#pragma once

#include "tracer/U_TracePrint.h"

#include <QPainter>
#include <QString>

class QPrinter;

// The trace's page device over a QPrinter: a real printer or a PDF file.
class TPrinterCanvas : public TPrintCanvas
{
public:
    explicit TPrinterCanvas(QPrinter& printer);
    ~TPrinterCanvas() override;

    bool BeginDocument(const QString& title) override;
    int PageWidth() const override;
    void SetFont(const QString& family, int points, bool bold) override;
    int TextHeight() const override;
    void TextOut(int x, int y, const QString& text) override;
    bool NewPage() override;
    bool EndDocument() override;
    // Also removes the file a PDF document was being written to.
    void Abort() override;

private:
    QPrinter& printer;
    QPainter painter;
    QString createdFile;
    int ascent = 0;
    int height = 0;
};
