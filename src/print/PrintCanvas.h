#pragma once
// The surface both printouts draw on: a printer's document and page, measured in the device
// pixels of the printable area. The layouts know nothing else of the printer, so the same
// layout goes to a real printer, to a PDF file or to a recording for tests.
//
// Positions are in device pixels from the top left of the printable area; TextOut puts the
// top left of the text's line box at the point (the text is not clipped or wrapped). Font
// sizes are in points, converted with the printer's resolution.
#include <QString>

class PrintCanvas {
public:
    // No text is measured wider than this, however long, so that positions computed from a
    // width stay far from the int range.
    static constexpr int MaxTextWidth = 1 << 28;

    virtual ~PrintCanvas() = default;

    // Each returns false when the printer fails; the document is then given up (AbortDoc).
    virtual bool BeginDoc() = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDoc() = 0;
    virtual void AbortDoc() = 0;
    // 1 on the first page, one more after each NewPage.
    virtual int PageNumber() const = 0;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    virtual void SetFontName(const QString &name) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetPenWidth(int pixels) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void TextOut(int x, int y, const QString &text) = 0;
    // Width in device pixels of the text in the current font, at most MaxTextWidth.
    virtual int TextWidth(const QString &text) = 0;
};
