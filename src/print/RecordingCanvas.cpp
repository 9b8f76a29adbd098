#include "print/RecordingCanvas.h"

#include <algorithm>

RecordingCanvas::RecordingCanvas(int width, int height)
    : width_(width)
    , height_(height)
{
}

bool RecordingCanvas::BeginDoc()
{
    if (failBegin)
        return false;
    begun = true;
    page_ = 1;
    return true;
}

bool RecordingCanvas::NewPage()
{
    if (page_ + 1 == failPage)
        return false;
    ++page_;
    return true;
}

bool RecordingCanvas::EndDoc()
{
    ended = true;
    return true;
}

void RecordingCanvas::MoveTo(int x, int y)
{
    x_ = x;
    y_ = y;
}

void RecordingCanvas::LineTo(int x, int y)
{
    lines.push_back({page_, x_, y_, x, y, pen_});
    MoveTo(x, y);
}

void RecordingCanvas::TextOut(int x, int y, const QString &text)
{
    texts.push_back({page_, x, y, text, font_, size_, TextWidth(text)});
}

int RecordingCanvas::TextWidth(const QString &text)
{
    const qint64 width = qint64(text.size()) * size_ * TextWidthPerPoint;
    return static_cast<int>(std::min<qint64>(width, MaxTextWidth));
}
