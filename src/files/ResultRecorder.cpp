#include "files/ResultRecorder.h"

#include "files/DataFile.h"

#include <utility>

void ResultRecorder::Start(int step)
{
    KrokZapisu_ = step;
    Empty(false);
    LicznikKroku_ = 0;
    Zapisywanie_ = true;
}

ResultRecorder::Offer ResultRecorder::Record(const QString &text, const char *unit)
{
    if (!Zapisywanie_)
        return Offer::Skipped;
    ++LicznikKroku_;
    if (LicznikKroku_ != KrokZapisu_)
        return Offer::Skipped;
    LicznikKroku_ = 0;
    Wyniki_.append(text);
    ResultStamps_.push_back(StampNow(unit));
    return LiczbaWynikow() >= MaxDataFileResults ? Offer::Full : Offer::Kept;
}

void ResultRecorder::Stop()
{
    KrokZapisu_ = 0;
    Zapisywanie_ = false;
}

void ResultRecorder::Empty(bool keepForExport)
{
    if (keepForExport) {
        LastRecording_.texts = std::move(Wyniki_);
        LastRecording_.stamps = std::move(ResultStamps_);
    } else {
        LastRecording_ = {};
    }
    Wyniki_.clear();
    ResultStamps_.clear();
}

void ResultRecorder::Load(QStringList texts)
{
    Empty(false);
    Wyniki_ = std::move(texts);
}

void ResultRecorder::LoadRecorded(QStringList texts, std::vector<ResultStamp> stamps)
{
    Load(std::move(texts));
    if (stamps.size() == std::size_t(Wyniki_.size()))
        ResultStamps_ = std::move(stamps);
}

const QStringList &ResultRecorder::ExportTexts() const
{
    return LiczbaWynikow() > 0 ? Wyniki_ : LastRecording_.texts;
}

const std::vector<ResultStamp> &ResultRecorder::ExportStamps() const
{
    return LiczbaWynikow() > 0 ? ResultStamps_ : LastRecording_.stamps;
}
