#include "print/PageRangeCanvas.h"

PageRangeCanvas::PageRangeCanvas(PrintCanvas &printer, QPageRanges pages)
    : printer_(printer)
    , pages_(std::move(pages))
{
}

bool PageRangeCanvas::StartPage()
{
    if (!Chosen())
        return true;
    if (begun_)
        return printer_.NewPage();
    begun_ = printer_.BeginDoc();
    return begun_;
}

bool PageRangeCanvas::BeginDoc()
{
    page_ = 1;
    return StartPage();
}

bool PageRangeCanvas::NewPage()
{
    ++page_;
    return StartPage();
}

bool PageRangeCanvas::EndDoc()
{
    return !begun_ || printer_.EndDoc();
}

void PageRangeCanvas::AbortDoc()
{
    if (begun_)
        printer_.AbortDoc();
}

void PageRangeCanvas::MoveTo(int x, int y)
{
    x_ = x;
    y_ = y;
}

void PageRangeCanvas::LineTo(int x, int y)
{
    if (Chosen()) {
        // The pen's place may have been set on a page left out.
        printer_.MoveTo(x_, y_);
        printer_.LineTo(x, y);
    }
    x_ = x;
    y_ = y;
}

void PageRangeCanvas::TextOut(int x, int y, const QString &text)
{
    if (Chosen())
        printer_.TextOut(x, y, text);
}
