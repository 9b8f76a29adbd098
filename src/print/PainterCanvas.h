#pragma once
// The print canvas on a paged paint device: a QPrinter for a real printer, a QPdfWriter for a
// PDF file. The page is the device's printable area (width() and height()), and point sizes
// follow its resolution. Fonts and the pen may be set, and texts measured, before the
// document begins.
#include "print/PrintCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>

class QPagedPaintDevice;

class PainterCanvas : public PrintCanvas {
public:
    explicit PainterCanvas(QPagedPaintDevice &device);
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
    void SetFont(QFont font);

    QPagedPaintDevice &device_;
    QPainter painter_;
    QFont font_;
    QFontMetrics metrics_;
    int penWidth_ = 1;
    QPoint pen_;
    int page_ = 0;
};
