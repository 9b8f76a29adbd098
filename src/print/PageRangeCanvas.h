#pragma once
// Prints only the chosen pages of a document: the layout draws every page as always, and
// only what falls on a chosen page reaches the printer, whose document then starts with the
// first chosen page. Texts are measured on the printer whatever the page, so the chosen
// pages look as they do in the whole document.
#include "print/PrintCanvas.h"

#include <QPageRanges>

class PageRangeCanvas : public PrintCanvas {
public:
    // pages empty: every page.
    PageRangeCanvas(PrintCanvas &printer, QPageRanges pages);

    bool BeginDoc() override;
    bool NewPage() override;
    // True also when no chosen page was drawn, and the printer's document never begun.
    bool EndDoc() override;
    void AbortDoc() override;
    // The page of the whole document.
    int PageNumber() const override { return page_; }
    int PageWidth() const override { return printer_.PageWidth(); }
    int PageHeight() const override { return printer_.PageHeight(); }

    void SetFontName(const QString &name) override { printer_.SetFontName(name); }
    void SetFontSize(int points) override { printer_.SetFontSize(points); }
    void SetPenWidth(int pixels) override { printer_.SetPenWidth(pixels); }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const QString &text) override;
    int TextWidth(const QString &text) override { return printer_.TextWidth(text); }

    // Whether any page reached the printer.
    bool Printed() const { return begun_; }

private:
    bool Chosen() const { return pages_.isEmpty() || pages_.contains(page_); }
    bool StartPage();

    PrintCanvas &printer_;
    QPageRanges pages_;
    int page_ = 0;
    bool begun_ = false;
    int x_ = 0;
    int y_ = 0;
};
