#pragma once
// A print canvas that records what is drawn and where, for tests and benchmarks. A text is
// as wide as TextWidthPerPoint pixels per point of font size per character, so that every
// text has a known width. On a page 4800 pixels wide that is about as wide as the printer's
// font is on paper: the card's parameter labels fit their column, "R 13=" and "Jdc(AC)=" do
// not. Failures of the printer can be put in.
#include "print/PrintCanvas.h"

#include <QString>
#include <vector>

class RecordingCanvas : public PrintCanvas {
public:
    static constexpr int TextWidthPerPoint = 4;

    struct Text {
        int page;
        int x;
        int y;
        QString text;
        QString font;
        int size;
        int width;
    };
    struct Line {
        int page;
        int x1;
        int y1;
        int x2;
        int y2;
        int pen;
    };

    RecordingCanvas(int width, int height);

    bool BeginDoc() override;
    bool NewPage() override;
    bool EndDoc() override;
    void AbortDoc() override { aborted = true; }
    int PageNumber() const override { return page_; }
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }

    void SetFontName(const QString &name) override { font_ = name; }
    void SetFontSize(int points) override { size_ = points; }
    void SetPenWidth(int pixels) override { pen_ = pixels; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const QString &text) override;
    int TextWidth(const QString &text) override;

    std::vector<Text> texts;
    std::vector<Line> lines;
    bool begun = false;
    bool ended = false;
    bool aborted = false;
    // The printer fails at BeginDoc, or at the NewPage that would start this page.
    bool failBegin = false;
    int failPage = 0;

private:
    int width_;
    int height_;
    int page_ = 0;
    QString font_;
    int size_ = 10;
    int pen_ = 1;
    int x_ = 0;
    int y_ = 0;
};
