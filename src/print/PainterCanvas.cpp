#include "print/PainterCanvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QPrinter>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace {
// Long texts are measured and drawn in pieces: the font engine keeps positions in 26.6
// fixed point, which wraps past 2^25 pixels (a line of some 200000 characters at 1200 dpi),
// and a piece that lies wholly off the page need not be drawn, so a page of long texts
// costs no more than a page of short ones. Texts up to WholeLength characters are drawn
// whole, with the font engine's own shaping (kerning, right-to-left runs); a longer one
// runs off the page at the sizes the printouts use (12 points and up) anyway.
constexpr qsizetype WholeLength = 256;
constexpr qsizetype PieceLength = 128;

// Calls piece(text) for each piece of the text in order, until it returns false. Pieces end
// on grapheme boundaries, looked for in the piece alone so that a long text costs no more
// than the pieces used.
template <typename Piece> void forEachPiece(const QString &text, Piece piece)
{
    if (text.size() <= WholeLength) {
        piece(text);
        return;
    }
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.size();
        if (end - start > PieceLength) {
            QTextBoundaryFinder graphemes(
                QTextBoundaryFinder::Grapheme, text.constData() + start, PieceLength + 1);
            graphemes.setPosition(PieceLength);
            const qsizetype boundary
                = graphemes.isAtBoundary() ? PieceLength : graphemes.toPreviousBoundary();
            end = start + (boundary > 0 ? boundary : PieceLength);
        }
        if (!piece(text.mid(start, end - start)))
            return;
        start = end;
    }
}
} // namespace

PainterCanvas::PainterCanvas(QPagedPaintDevice &device)
    : device_(device)
    , metrics_(font_, &device)
{
}

PainterCanvas::~PainterCanvas()
{
    if (painter_.isActive())
        painter_.end();
}

bool PainterCanvas::BeginDoc()
{
    if (!painter_.begin(&device_))
        return false;
    page_ = 1;
    painter_.setFont(font_);
    SetPenWidth(penWidth_);
    return true;
}

bool PainterCanvas::NewPage()
{
    if (!device_.newPage())
        return false;
    ++page_;
    return true;
}

bool PainterCanvas::EndDoc()
{
    return painter_.end();
}

void PainterCanvas::AbortDoc()
{
    if (auto *printer = dynamic_cast<QPrinter *>(&device_))
        printer->abort();
    if (painter_.isActive())
        painter_.end();
}

int PainterCanvas::PageWidth() const
{
    return device_.width();
}

int PainterCanvas::PageHeight() const
{
    return device_.height();
}

void PainterCanvas::SetFontName(const QString &name)
{
    // The layouts put texts in fixed columns. Where the named font is missing, fonts of
    // about its width stand in before the system's default, which may be much wider.
    QFont font = font_;
    font.setFamilies({name, QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
        QStringLiteral("DejaVu Sans Condensed")});
    SetFont(font);
}

void PainterCanvas::SetFontSize(int points)
{
    QFont font = font_;
    font.setPointSize(std::max(points, 1));
    SetFont(font);
}

void PainterCanvas::SetFont(QFont font)
{
    font_ = std::move(font);
    metrics_ = QFontMetrics(font_, &device_);
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PainterCanvas::SetPenWidth(int pixels)
{
    penWidth_ = pixels;
    if (!painter_.isActive())
        return;
    QPen pen = painter_.pen();
    pen.setWidth(pixels);
    painter_.setPen(pen);
}

void PainterCanvas::MoveTo(int x, int y)
{
    pen_ = QPoint(x, y);
}

void PainterCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    painter_.drawLine(pen_, to);
    pen_ = to;
}

void PainterCanvas::TextOut(int x, int y, const QString &text)
{
    const QFontMetrics &metrics = metrics_;
    const int baseline = y + metrics.ascent();
    const qint64 right = PageWidth();
    qint64 left = x;
    forEachPiece(text, [&](const QString &piece) {
        const int width = metrics.horizontalAdvance(piece);
        if (left + width >= 0)
            painter_.drawText(QPointF(static_cast<qreal>(left), baseline), piece);
        left += width;
        return left < right;
    });
}

int PainterCanvas::TextWidth(const QString &text)
{
    const QFontMetrics &metrics = metrics_;
    qint64 width = 0;
    forEachPiece(text, [&](const QString &piece) {
        width += metrics.horizontalAdvance(piece);
        return width < MaxTextWidth;
    });
    return static_cast<int>(std::clamp<qint64>(width, 0, MaxTextWidth));
}
