#include "tools/convert-worker/WorkerProtocol.h"

#include <QTest>

using namespace orvalin::protocol;

namespace {

std::string head(char kind, std::uint32_t length)
{
    std::string bytes(1, kind);
    appendLittleEndian(bytes, length, 4);
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Decoding)

// The one decoder of the worker's answers, as the client and the test probe use it.
class TestWorkerProtocol : public QObject
{
    Q_OBJECT

private slots:
    void framesAreDecodedOrRefused_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Decoding>("decoding");
        QTest::addColumn<int>("size");           // of the frame decoded
        QTest::addColumn<QByteArray>("payload"); // of the frame decoded

        const std::string decoded = encodeDecoded(0x0102030405060708ull);
        const std::string failed = encodeFrame(Answer::Failed, "no space left on the device");
        QTest::newRow("nothing yet") << std::string() << Decoding::NeedMore << 0 << QByteArray();
        QTest::newRow("a head cut short")
            << head('W', 3).substr(0, 3) << Decoding::NeedMore << 0 << QByteArray();
        QTest::newRow("a payload cut short")
            << failed.substr(0, failed.size() - 1) << Decoding::NeedMore << 0 << QByteArray();
        QTest::newRow("decoded, cut short")
            << decoded.substr(0, 9) << Decoding::NeedMore << 0 << QByteArray();
        QTest::newRow("a whole frame, the next begun")
            << failed + "C" << Decoding::Frame << int(failed.size())
            << QByteArray("no space left on the device");
        QTest::newRow("converted") << head('C', 0) << Decoding::Frame << 5 << QByteArray();
        QTest::newRow("decoded") << decoded << Decoding::Frame << 13
                                 << QByteArray::fromHex("0807060504030201");
        QTest::newRow("decoded without its number")
            << head('D', 0) << Decoding::Malformed << 0 << QByteArray();
        QTest::newRow("decoded with too long a number")
            << head('D', 9) + std::string(9, 'x') << Decoding::Malformed << 0 << QByteArray();
        QTest::newRow("converted with a payload")
            << head('C', 1) + "x" << Decoding::Malformed << 0 << QByteArray();
        QTest::newRow("a text past any line")
            << head('N', TextPayloadMax + 1) << Decoding::Malformed << 0 << QByteArray();
        QTest::newRow("an unknown kind")
            << std::string("Z") << Decoding::Malformed << 0 << QByteArray();
        QTest::newRow("a request's bytes where answers belong")
            << encodeRequest("/a.webp", "/a.jpg", {85}) << Decoding::Malformed << 0 << QByteArray();
    }
    void framesAreDecodedOrRefused()
    {
        QFETCH(std::string, bytes);
        QFETCH(Decoding, decoding);
        QFETCH(int, size);
        QFETCH(QByteArray, payload);
        Frame frame;
        QCOMPARE(decodeFrame(bytes, frame), decoding);
        if (decoding != Decoding::Frame)
            return;
        QCOMPARE(int(frame.size), size);
        QCOMPARE(QByteArray(frame.payload.data(), qsizetype(frame.payload.size())), payload);
        if (frame.kind == Answer::Decoded)
            QCOMPARE(decodedPixelBytes(frame), 0x0102030405060708ull);
    }

    void aRequestHoldsItsPathsWhole()
    {
        const std::string source("a \0b\n\"c\".webp", 13);
        const std::string request =
            encodeRequest(source, "/out/x.jpg", {100, MetadataKept::NoLocation, 1920});
        QCOMPARE(readLittleEndian(request.data(), 4), source.size());
        QCOMPARE(request.substr(4, source.size()), source);
        QCOMPARE(readLittleEndian(request.data() + 4 + source.size(), 4), 10u);
        const char* const choices = request.data() + request.size() - 12;
        QCOMPARE(readLittleEndian(choices, 4), 100u);
        QCOMPARE(readLittleEndian(choices + 4, 4), 1u);
        QCOMPARE(readLittleEndian(choices + 8, 4), 1920u);
        QCOMPARE(request.size(), 4 + source.size() + 4 + 10 + 12);
    }

    void choicesOutsideTheirRangesAreRefused()
    {
        QVERIFY(choicesValid(1, 0, 0));
        QVERIFY(choicesValid(100, MetadataKeptMax, FitMax));
        QVERIFY(choicesValid(85, 0, FitMin));
        QVERIFY(!choicesValid(0, 0, 0));
        QVERIFY(!choicesValid(101, 0, 0));
        QVERIFY(!choicesValid(85, MetadataKeptMax + 1, 0));
        QVERIFY(!choicesValid(85, 0, FitMin - 1));
        QVERIFY(!choicesValid(85, 0, FitMax + 1));
    }
};

QTEST_GUILESS_MAIN(TestWorkerProtocol)
#include "TestWorkerProtocol.moc"
