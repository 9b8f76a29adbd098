// Result frame decoding and the assembly of frames from receive events.
#include "measure/FrameAssembler.h"
#include "TestMain.h"
#include "measure/ResultFrame.h"

#include <QTest>
#include <random>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes FrameBytes(uint8_t status, int16_t temperature, int16_t raw)
{
    const ResultFrameBytes frame = MakeResultFrame(status, temperature, raw);
    return Bytes(frame.begin(), frame.end());
}

std::optional<ResultFrameBytes> Feed(FrameAssembler &assembler, const Bytes &bytes)
{
    return assembler.Feed(bytes.data(), bytes.size());
}

Bytes Held(const FrameAssembler &assembler)
{
    return Bytes(assembler.Data(), assembler.Data() + assembler.Length());
}

int16_t RawOf(const ResultFrameBytes &frame)
{
    return ReadLe16(&frame[5]);
}
} // namespace

class ResultFrameTest : public QObject {
    Q_OBJECT
private slots:
    void decodesMillitesla()
    {
        const DecodedResult r = DecodeResultFrame({0xAA, 0x55, 0x00, 0xEA, 0x00, 0x39, 0x30});
        QCOMPARE(r.unitText, " mT");
        QCOMPARE(r.decimalClass, 0);
        QCOMPARE(r.temperature, 234.0);
        QVERIFY(r.HasTemperature());
        QCOMPARE(r.value, 123.45);
        QCOMPARE(r.filterJumpThreshold, 0.05);
        QVERIFY(!r.ac);
        QVERIFY(!r.autoPowerOff);
    }

    void decodesUnitsAndClasses_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("decimalClass");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("value");
        QTest::newRow("Gs coarse over-range") << 0x06 << 10000 << " Gs" << 2 << 0.5 << 30000.0;
        QTest::newRow("Gs coarse 9999") << 0x06 << 9999 << " Gs" << 2 << 0.5 << 9999.0;
        QTest::newRow("Gs coarse -10000") << 0x06 << -10000 << " Gs" << 2 << 0.5 << -30000.0;
        QTest::newRow("Gs fine") << 0x04 << 12345 << " Gs" << 1 << 0.5 << 1234.5;
        QTest::newRow("Gs fine over-range") << 0x04 << 10000 << " Gs" << 1 << 0.5 << 3000.0;
        QTest::newRow("mT coarse -10000") << 0x02 << -10000 << " mT" << 1 << 0.05 << -3000.0;
        QTest::newRow("mT fine 10000") << 0x00 << 10000 << " mT" << 0 << 0.05 << 100.0;
        QTest::newRow("kA/m") << 0x08 << -1234 << " kA/m" << 0 << 0.04 << -12.34;
        QTest::newRow("kA/m coarse") << 0x0A << 1234 << " kA/m" << 1 << 0.04 << 123.4;
        QTest::newRow("Gs wins over kA/m") << 0x0C << 5 << " Gs" << 1 << 0.5 << 0.5;
        QTest::newRow("extremes") << 0x06 << -32768 << " Gs" << 2 << 0.5 << -32768.0;
    }
    void decodesUnitsAndClasses()
    {
        QFETCH(int, status);
        QFETCH(int, raw);
        const DecodedResult r = DecodeResultFrame(
            MakeResultFrame(static_cast<uint8_t>(status), 0, static_cast<int16_t>(raw)));
        QTEST(QString::fromLatin1(r.unitText), "unit");
        QTEST(r.decimalClass, "decimalClass");
        QTEST(r.filterJumpThreshold, "threshold");
        QTEST(r.value, "value");
    }

    void acValuesAreNeverNegative()
    {
        QCOMPARE(DecodeResultFrame(MakeResultFrame(0x01, 0, -500)).value, 5.0);
        QCOMPARE(DecodeResultFrame(MakeResultFrame(0x07, 0, -10000)).value, 30000.0);
        QVERIFY(DecodeResultFrame(MakeResultFrame(0x01, 0, -500)).ac);
        // DC keeps its sign.
        QCOMPARE(DecodeResultFrame(MakeResultFrame(0x00, 0, -500)).value, -5.0);
    }

    void temperatureAndPowerOff()
    {
        const DecodedResult noProbe = DecodeResultFrame(MakeResultFrame(0x40, -10000, 0));
        QCOMPARE(noProbe.temperature, -10000.0);
        QVERIFY(!noProbe.HasTemperature());
        QVERIFY(noProbe.autoPowerOff);
        QCOMPARE(noProbe.statusBits, uint8_t(0x40));
        // Bit 6 and the unused bits 4, 5, 7 leave unit and scaling alone.
        const DecodedResult other = DecodeResultFrame(MakeResultFrame(0xB0, -15, 100));
        QVERIFY(!other.autoPowerOff);
        QCOMPARE(other.temperature, -15.0);
        QCOMPARE(other.value, 1.0);
        QCOMPARE(other.unitText, " mT");
    }
};

class FrameAssemblerTest : public QObject {
    Q_OBJECT
private slots:
    void frameSplitOverTwoEvents()
    {
        FrameAssembler a;
        const Bytes frame = FrameBytes(0x00, 234, 12345);
        QVERIFY(!a.Feed(frame.data(), 3));
        QCOMPARE(a.Length(), uint16_t(3));
        const auto taken = a.Feed(frame.data() + 3, 4);
        QVERIFY(taken);
        QCOMPARE(Bytes(taken->begin(), taken->end()), frame);
        QCOMPARE(a.Length(), uint16_t(0));
        // A lone first byte of a header is kept until the second one arrives.
        QVERIFY(!Feed(a, {0xAA}));
        QVERIFY(!Feed(a, {0x55, 1, 2}));
        QCOMPARE(Held(a), (Bytes {0xAA, 0x55, 1, 2}));
    }

    void twoFramesInOneEventAreTakenOnePerEvent()
    {
        FrameAssembler a;
        const auto first = Feed(a, Concat({FrameBytes(0, 0, 1), FrameBytes(0, 0, 2)}));
        QVERIFY(first);
        QCOMPARE(RawOf(*first), int16_t(1));
        QCOMPARE(a.Length(), uint16_t(7));
        const auto second = a.Feed(nullptr, 0);
        QVERIFY(second);
        QCOMPARE(RawOf(*second), int16_t(2));
        QVERIFY(!a.Feed(nullptr, 0));
    }

    void garbageBeforeFrameIsDroppedAndFrameTakenNextEvent()
    {
        FrameAssembler a;
        QVERIFY(!Feed(a, Concat({{0x12, 0x34}, FrameBytes(0, 0, 77)})));
        QVERIFY(a.LastStepRealigned());
        QCOMPARE(a.Length(), uint16_t(7));
        const auto taken = a.Feed(nullptr, 0);
        QVERIFY(taken);
        QCOMPARE(RawOf(*taken), int16_t(77));
        // A stray AA not followed by 55 is skipped too.
        QVERIFY(!Feed(a, Concat({{0xAA, 0xAA}, FrameBytes(0, 0, 78)})));
        QCOMPARE(Held(a), FrameBytes(0, 0, 78));
    }

    void withoutHeaderOnlyTheLastByteIsKept()
    {
        FrameAssembler a;
        QVERIFY(!Feed(a, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xAA}));
        QCOMPARE(Held(a), Bytes {0xAA});
        QVERIFY(!Feed(a, {0x11, 0x22}));
        QCOMPARE(Held(a), Bytes {0x22});
        // A header split across events survives: AA kept, then 55 arrives.
        QVERIFY(!Feed(a, {0xAA}));
        QCOMPARE(Held(a), Bytes {0xAA});
        QVERIFY(!Feed(a, {0x55, 0, 0, 0}));
        const auto taken = Feed(a, {5, 0});
        QVERIFY(taken);
        QCOMPARE(RawOf(*taken), int16_t(5));
    }

    void backlogSkipsToTheNewestFrame()
    {
        FrameAssembler a;
        // Four whole frames and the start of a fifth: the first is taken, 3 frames + 3 bytes
        // (24 bytes) remain, so the buffer jumps to the last header.
        Bytes five = FrameBytes(0, 0, 5);
        five.resize(3);
        const auto first = Feed(a,
            Concat({FrameBytes(0, 0, 1), FrameBytes(0, 0, 2), FrameBytes(0, 0, 3),
                FrameBytes(0, 0, 4), five}));
        QVERIFY(first);
        QCOMPARE(RawOf(*first), int16_t(1));
        QVERIFY(a.LastStepRealigned());
        QCOMPARE(Held(a), five);
        const auto next = Feed(a, {0, 0, 5, 0});
        QVERIFY(next);
        QCOMPARE(RawOf(*next), int16_t(5));
    }

    void backlogOfExactlyTwoFramesIsKept()
    {
        FrameAssembler a;
        Feed(a, Concat({FrameBytes(0, 0, 1), FrameBytes(0, 0, 2), FrameBytes(0, 0, 3)}));
        QCOMPARE(a.Length(), uint16_t(14));
        QVERIFY(!a.LastStepRealigned());
        QCOMPARE(RawOf(*a.Feed(nullptr, 0)), int16_t(2));
        QCOMPARE(RawOf(*a.Feed(nullptr, 0)), int16_t(3));
    }

    void backlogWithoutLaterHeaderIsKept()
    {
        FrameAssembler a;
        // After the frame, 20 bytes that hold no other header: nothing to jump to.
        Bytes tail(20, 0x01);
        Feed(a, Concat({FrameBytes(0, 0, 1), FrameBytes(0, 0, 9), tail}));
        QVERIFY(!a.LastStepRealigned());
        QCOMPARE(a.Length(), uint16_t(27));
        // The last pair at the front counts as "already there".
        const auto next = a.Feed(nullptr, 0);
        QVERIFY(next);
        QCOMPARE(RawOf(*next), int16_t(9));
    }

    void burstLargerThanTheBufferKeepsTheNewestFrame()
    {
        // 1000 bytes in one event: frames 0..141 and the first 6 bytes of frame 142. Only the
        // newest 255 bytes fit, and of them the part from the newest header on is kept:
        // nothing is written past the buffer and the next frame is the newest one.
        Bytes burst;
        for (int16_t i = 0; i < 142; ++i) {
            const Bytes f = FrameBytes(0, 0, i);
            burst.insert(burst.end(), f.begin(), f.end());
        }
        Bytes partial = FrameBytes(0, 0, 142);
        partial.pop_back();
        burst.insert(burst.end(), partial.begin(), partial.end());
        QCOMPARE(burst.size(), size_t(1000));

        FrameAssembler a;
        Feed(a, {0xAA, 0x55, 9}); // something already held
        QVERIFY(!a.Feed(burst.data(), burst.size()));
        QVERIFY(a.LastStepRealigned());
        QCOMPARE(Held(a), partial);
        const auto newest = Feed(a, {0});
        QVERIFY(newest);
        QCOMPARE(RawOf(*newest), int16_t(142));
    }

    void afterABurstEveryEventShowsItsReading()
    {
        // 300 frames at once, then one frame per event. Cutting the burst to the buffer must
        // not leave it full and misaligned, or every later event would cut it again and no
        // reading would ever be shown.
        Bytes burst;
        for (int16_t i = 0; i < 300; ++i) {
            const Bytes f = FrameBytes(0, 0, i);
            burst.insert(burst.end(), f.begin(), f.end());
        }
        FrameAssembler a;
        const auto last = a.Feed(burst.data(), burst.size());
        QVERIFY(last);
        QCOMPARE(RawOf(*last), int16_t(299));
        for (int16_t i = 1000; i < 1020; ++i) {
            const auto f = Feed(a, FrameBytes(0, 0, i));
            QVERIFY(f);
            QCOMPARE(RawOf(*f), i);
        }
    }

    void eventThatExactlyFillsTheBufferIsKeptWhole()
    {
        // 255 bytes into an empty buffer fit: nothing is dropped, so the oldest frame in them
        // comes first (36 frames and 3 bytes of the 37th).
        Bytes block;
        for (int16_t i = 0; i < 37; ++i) {
            const Bytes f = FrameBytes(0, 0, i);
            block.insert(block.end(), f.begin(), f.end());
        }
        block.resize(FrameAssembler::kCapacity);
        FrameAssembler a;
        const auto first = a.Feed(block.data(), block.size());
        QVERIFY(first);
        QCOMPARE(RawOf(*first), int16_t(0));
    }

    void eventOverfillingAPartlyFilledBuffer()
    {
        // An event that overfills a partly filled buffer: 245 bytes held after a frame with no
        // later header, then 100 more; the oldest bytes give way and the header at the very
        // end is found.
        FrameAssembler b;
        Bytes block(252, 0x00);
        block[0] = 0xAA;
        block[1] = 0x55;
        QVERIFY(Feed(b, block));
        QCOMPARE(b.Length(), uint16_t(245));
        Bytes tail(100, 0x01);
        tail[98] = 0xAA;
        tail[99] = 0x55;
        QVERIFY(!Feed(b, tail));
        QCOMPARE(Held(b), (Bytes {0xAA, 0x55}));
    }

    void smallChunksDeliverEveryFrameOnceInOrder()
    {
        // Chunks smaller than a frame never build a backlog, so every frame comes out once.
        std::mt19937 rng(42);
        Bytes stream;
        const int frames = 2000;
        for (int i = 0; i < frames; ++i) {
            const Bytes f = FrameBytes(
                static_cast<uint8_t>(rng()), static_cast<int16_t>(rng()), static_cast<int16_t>(i));
            stream.insert(stream.end(), f.begin(), f.end());
        }
        FrameAssembler a;
        std::vector<int16_t> seen;
        std::size_t pos = 0;
        while (pos < stream.size()) {
            const std::size_t n = std::min<std::size_t>(1 + rng() % 6, stream.size() - pos);
            if (const auto f = a.Feed(stream.data() + pos, n))
                seen.push_back(RawOf(*f));
            pos += n;
        }
        while (const auto f = a.Feed(nullptr, 0))
            seen.push_back(RawOf(*f));
        QCOMPARE(int(seen.size()), frames);
        for (int i = 0; i < frames; ++i)
            QCOMPARE(seen[i], int16_t(i));
    }

    void anyChunkingGivesNewerRealFramesAndStaysBounded()
    {
        // Frames whose payload holds no AA byte cannot fake a header, so everything taken is a
        // real frame, never an older one than the last taken, and the buffer stays bounded.
        std::mt19937 rng(7);
        std::vector<ResultFrameBytes> sent;
        Bytes stream;
        for (int i = 0; i < 5000; ++i) {
            const auto pick = [&rng]() {
                uint8_t b;
                do {
                    b = static_cast<uint8_t>(rng());
                } while (b == 0xAA);
                return b;
            };
            ResultFrameBytes f {0xAA, 0x55, pick(), pick(), pick(), static_cast<uint8_t>(i & 0x7F),
                static_cast<uint8_t>(i >> 7)};
            sent.push_back(f);
            stream.insert(stream.end(), f.begin(), f.end());
            if (rng() % 10 == 0)
                stream.push_back(static_cast<uint8_t>(rng() % 0xAA)); // stray byte
        }
        FrameAssembler a;
        int last = -1;
        int taken = 0;
        std::size_t pos = 0;
        while (pos < stream.size()) {
            const std::size_t n = std::min<std::size_t>(rng() % 40, stream.size() - pos);
            const auto f = a.Feed(stream.data() + pos, n);
            pos += n;
            QVERIFY(a.Length() <= FrameAssembler::kCapacity);
            if (a.LastStepRealigned() && a.Length() >= 2) {
                QCOMPARE(a.Data()[0], uint8_t(0xAA));
                QCOMPARE(a.Data()[1], uint8_t(0x55));
            }
            if (!f)
                continue;
            const int index = (*f)[5] | ((*f)[6] << 7);
            QVERIFY(index < int(sent.size()));
            QVERIFY(*f == sent[index]);
            QVERIFY(index > last);
            last = index;
            ++taken;
        }
        QVERIFY(taken > 1000);
    }

    // ReadEvent: every whole frame of each event, in order, however the events cut the stream
    // and whatever garbage lies between frames; the reads never ask for more than fits.
    void readEventTakesEveryFrame_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("eventSize"); // bytes per event; 0: the whole stream in one
        QTest::addColumn<bool>("garbage"); // 12 34 before every 5th frame, AA AA before every 7th
        QTest::newRow("one per event") << 20 << 7 << false;
        QTest::newRow("three per event") << 30 << 21 << false;
        QTest::newRow("cut inside frames") << 30 << 10 << true;
        QTest::newRow("garbage in one event") << 30 << 0 << true;
        QTest::newRow("backlog far beyond the buffer") << 1000 << 0 << false;
        QTest::newRow("odd large events") << 600 << 400 << true;
    }
    void readEventTakesEveryFrame()
    {
        QFETCH(int, frames);
        QFETCH(int, eventSize);
        QFETCH(bool, garbage);
        Bytes stream;
        for (int i = 0; i < frames; ++i) {
            if (garbage && i % 5 == 4)
                stream.insert(stream.end(), {0x12, 0x34});
            if (garbage && i % 7 == 6)
                stream.insert(stream.end(), {0xAA, 0xAA});
            const Bytes f = FrameBytes(0, 0, static_cast<int16_t>(i));
            stream.insert(stream.end(), f.begin(), f.end());
        }
        FrameAssembler a;
        std::size_t pos = 0;
        bool fits = true;
        const auto read = [&](uint8_t *to, std::size_t n) {
            fits = fits && a.Length() + n <= FrameAssembler::kCapacity;
            std::copy_n(stream.begin() + std::ptrdiff_t(pos), n, to);
            pos += n;
            return n;
        };
        std::vector<ResultFrameBytes> taken;
        while (pos < stream.size()) {
            const std::size_t n = eventSize == 0 ? stream.size() : std::size_t(eventSize);
            a.ReadEvent(std::min(n, stream.size() - pos), read, taken);
        }
        QVERIFY(fits);
        QCOMPARE(a.Length(), uint16_t(0));
        QCOMPARE(int(taken.size()), frames);
        for (int i = 0; i < frames; ++i)
            QCOMPARE(RawOf(taken[std::size_t(i)]), int16_t(i));
    }

    void readEventStopsWhenThePortGivesLess()
    {
        // The port had fewer bytes than counted: what came is taken, nothing more is asked.
        const Bytes two = Concat({FrameBytes(0, 0, 1), FrameBytes(0, 0, 2)});
        int reads = 0;
        FrameAssembler a;
        std::vector<ResultFrameBytes> taken;
        a.ReadEvent(
            1000,
            [&](uint8_t *to, std::size_t) {
                ++reads;
                std::copy(two.begin(), two.end() - 3, to);
                return two.size() - 3;
            },
            taken);
        QCOMPARE(reads, 1);
        QCOMPARE(taken.size(), std::size_t(1));
        QCOMPARE(Held(a), Bytes(two.begin() + 7, two.end() - 3));
    }
};

NERIX_TEST(ResultFrameTest)
NERIX_TEST(FrameAssemblerTest)
#include "FrameAssemblerTest.moc"
