#pragma once
// The print canvas on a QPrinter: a real printer or a PDF file. The page is the printer's
// printable area as a paint device (width() and height()), and point sizes follow its
// resolution.
#include "print/PrintCanvas.h"

#include <QFont>
#include <QPainter>
#include <QPoint>

class QPrinter;

class PainterCanvas : public PrintCanvas {
public:
    explicit PainterCanvas(QPrinter &printer);
    ~PainterCanvas() override;

    bool BeginDoc() override;
    bool NewPage() override;
    bool EndDoc() override;
    void AbortDoc() override;
    int PageNumber() const override { return page_; }
    int PageWidth() const override;
    int PageHeight() const override;

    void SetFontName(const QString &name) override;
    void SetFontSize(int points) override;
    void SetPenWidth(int pixels) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const QString &text) override;
    int TextWidth(const QString &text) override;

private:
    QPrinter &printer_;
    QPainter painter_;
    QFont font_;
    QPoint pen_;
    int page_ = 0;
};
