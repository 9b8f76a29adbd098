#pragma once
// The result store and the recording that fills it. While Zapisywanie is set, every
// KrokZapisu-th result offered is kept in Wyniki with the stamp of when it came, until the store
// holds as many results as a data file may. The store also holds the results of an opened data
// file (without stamps). When a recording ends and its file is written, its results stay apart,
// with their stamps, for the CSV export until a recording starts or a file is opened.
#include "files/ResultsCsv.h"

#include <QString>
#include <QStringList>

#include <vector>

class ResultRecorder {
public:
    enum class Offer {
        Skipped, // not recording, or not this result's turn
        Kept,
        Full, // kept, and the store can take no more: the recording must stop
    };

    // Starts a recording that keeps every step-th result; the store and the results kept for
    // the export are emptied.
    void Start(int step);
    // Offers a result shown now, in the given unit (a text that lives as long as the program).
    Offer Record(const QString &text, const char *unit);
    // Ends the recording; what it kept stays in the store.
    void Stop();
    // Empties the store. keepForExport: its results stay for the CSV export; otherwise the
    // results kept for the export go too.
    void Empty(bool keepForExport);
    // Fills the store with the results read from a data file.
    void Load(QStringList texts);
    // Fills the store with a recording's results and their stamps (one per text).
    void LoadRecorded(QStringList texts, std::vector<ResultStamp> stamps);

    bool Zapisywanie() const { return Zapisywanie_; }
    int KrokZapisu() const { return KrokZapisu_; }
    // Entry i (i = 1 ... LiczbaWynikow) is Wyniki()[i - 1].
    const QStringList &Wyniki() const { return Wyniki_; }
    int LiczbaWynikow() const { return static_cast<int>(Wyniki_.size()); }
    // One stamp per entry of Wyniki while recording and for a recording loaded with its
    // stamps; none for results from a file.
    const std::vector<ResultStamp> &ResultStamps() const { return ResultStamps_; }

    // What the CSV export writes: the store when it holds results, or else the recording that
    // ended last.
    bool HasExport() const { return LiczbaWynikow() > 0 || !LastRecording_.texts.isEmpty(); }
    const QStringList &ExportTexts() const;
    const std::vector<ResultStamp> &ExportStamps() const;

private:
    QStringList Wyniki_;
    std::vector<ResultStamp> ResultStamps_;
    struct {
        QStringList texts;
        std::vector<ResultStamp> stamps;
    } LastRecording_;
    bool Zapisywanie_ = false;
    int KrokZapisu_ = 0;
    int LicznikKroku_ = 0;
};
