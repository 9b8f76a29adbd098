#pragma once
// The wizard's sample table Probki: pairs of readings, each taken at one field strength (the
// reference instrument's Uwz and the calibrated meter's Ucal), the least-squares lines
// through them and the corrected readings Uend the meter will give after the gain change.
//
// There are 1001 records: record 0 is never filled and stays all zero, samples occupy
// records 1 ... IloscProbek, and every record's Id equals its index after every change.
// At most kCapacity samples are held; a further registration is refused and changes nothing.
// A reset forgets the count only: a record registered again keeps the X and Uend that an
// earlier series left in it until the next evaluation.
//
// Evaluation: SkalujWzorzec, ObliczRegresje, PrzeliczPoprawionaSerie, ObliczRegresje. A fit
// over samples whose X are all alike (fewer than two samples, or equal reference values)
// has a determinant of 0, or of the rounding of its sums (about 1e-13 for three equal
// values): ObliczRegresje then returns false and leaves all four coefficients as they were,
// and the caller tells the user. So it does for sums beyond what a double holds (a reference
// reading of 9e307) and any coefficient that would not be finite; a corrected reading that
// would not be finite is no reading either. Coefficients are therefore always finite.
#include <array>
#include <cstdint>
#include <optional>

struct Probka {
    int32_t Id = 0;
    double X = 0; // Uwz / SkalaWzorca, set by SkalujWzorzec
    double Uwz = 0; // reference value at registration
    double Ucal = 0; // meter value at registration
    double Uend = 0; // corrected meter value, set by PrzeliczPoprawionaSerie
};

class SampleTable {
public:
    static constexpr int kRecords = 1001;
    static constexpr uint16_t kCapacity = kRecords - 1;
    // A determinant up to this part of n * Sxx counts as zero: the abscissas are alike.
    static constexpr double kAlikeDeterminant = 1e-10;

    // Record i, 0 <= i < kRecords (std::out_of_range otherwise).
    const Probka &Probki(int i) const { return records_.at(static_cast<std::size_t>(i)); }
    uint16_t IloscProbek() const { return count_; }

    // Puts a sample into the next record (Id, Uwz, Ucal; X and Uend untouched). False, with
    // nothing changed, when kCapacity samples are already held.
    bool Register(double uwz, double ucal);
    // IloscProbek := 0; the records keep their contents.
    void Reset() { count_ = 0; }
    // Removes sample `row`: the later samples move down one place and are renumbered, the
    // last record keeps its old contents. False, with nothing changed, when row is not a
    // sample (below 1 or above IloscProbek).
    bool Delete(int row);

    // IndeksMax := the first sample with the largest positive Uwz (0 when none is positive),
    // the scale taken from it, and X := Uwz / SkalaWzorca for every sample. Without a positive
    // reference value the scale stays as it was; a scale still 0 then is taken as 1.0, so
    // that X is never a division by zero.
    void SkalujWzorzec();
    // Least-squares lines Ucal = WspA * X + WspB and Uend = WspAPo * X + WspBPo over the
    // samples. False when the abscissas are alike or a coefficient would not be finite: no
    // coefficient changes then.
    bool ObliczRegresje();
    // Uend := Corrected(Ucal) for every sample; nothing changes while WspA is 0.
    void PrzeliczPoprawionaSerie();
    // A meter reading mapped back onto the reference line: (ucal - WspB) * SkalaWzorca / WspA.
    // Empty while WspA is 0, and when the result would not be finite.
    std::optional<double> Corrected(double ucal) const;
    // Manual shift of the corrected line (the chart's spin buttons).
    void AdjustCorrectedLine(double deltaA, double deltaB);

    double WspA() const { return wspA_; }
    double WspB() const { return wspB_; }
    double WspAPo() const { return wspAPo_; }
    double WspBPo() const { return wspBPo_; }
    double Wyznacznik() const { return wyznacznik_; }
    double SkalaWzorca() const { return skalaWzorca_; }
    int IndeksMax() const { return indeksMax_; }

private:
    std::array<Probka, kRecords> records_ {};
    uint16_t count_ = 0;
    double wspA_ = 0;
    double wspB_ = 0;
    double wspAPo_ = 0;
    double wspBPo_ = 0;
    double wyznacznik_ = 0;
    double skalaWzorca_ = 0;
    int indeksMax_ = 0;
};
