#include "runtime/exceptions.h"
#include "stock/record_file.h"
#include "tests/stock/counting_file_api.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

namespace
{

// One contract, run over the real file layer and over the counting stand-in.
struct RealLayer {
    OsFileApi& api() { return systemFileApi(); }
};
struct CountingLayer {
    CountingFileApi counting;
    OsFileApi& api() { return counting; }
};

template <typename Layer> class RecordFileContract : public ::testing::Test
{
protected:
    std::uint32_t failureCode(const std::function<void(TRecordFile&)>& step)
    {
        TRecordFile f(layer.api());
        try {
            step(f);
        } catch (const EInOutError& e) {
            return e.code();
        }
        return 0;
    }

    Layer layer;
    ScratchDir dir;
};

using Layers = ::testing::Types<RealLayer, CountingLayer>;
TYPED_TEST_SUITE(RecordFileContract, Layers);

TYPED_TEST(RecordFileContract, AFileShorterThanARecordHasNone)
{
    for (const int size : {0, 1, 462}) {
        const std::string name = this->dir.file("krotki.rek");
        writeFileBytes(name, std::string(static_cast<std::size_t>(size), 'x'));
        TRecordFile f(this->layer.api());
        f.open(name);
        EXPECT_TRUE(f.atEnd()) << size;
        StockRecord r;
        try {
            f.read(r);
            ADD_FAILURE() << "read of a file of " << size << " bytes";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.message(), "Read beyond end of file");
        }
        f.close();
    }
}

TYPED_TEST(RecordFileContract, AnIncompleteLastRecordIsNeverDelivered)
{
    const std::string name = this->dir.file("ogon.rek");
    const std::string bytes = stockFileBytes(3, {}, 100);
    writeFileBytes(name, bytes);
    TRecordFile f(this->layer.api());
    f.open(name);
    StockRecord r;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(f.atEnd());
        f.read(r);
        EXPECT_EQ(recordBytes(r), bytes.substr(static_cast<std::size_t>(i) * 463, 463));
    }
    EXPECT_TRUE(f.atEnd());
    EXPECT_THROW(f.read(r), EInOutError);
    f.close();
}

TYPED_TEST(RecordFileContract, OpenFailuresCarryTheSystemsCode)
{
    writeFileBytes(this->dir.file("ro.rek"), stockFileBytes(1));
    makeReadOnly(this->dir.file("ro.rek"));
    const auto open = [this](const std::string& n) {
        return this->failureCode([&](TRecordFile& f) { f.open(n); });
    };
    EXPECT_EQ(open(this->dir.file("brak.rek")), 2u);
    EXPECT_EQ(open(this->dir.file("brak/brak.rek")), 3u);
    if (systemRefusesReadOnlyFiles()) {
        EXPECT_EQ(open(this->dir.file("ro.rek")), 5u);
    }
    EXPECT_EQ(open(this->dir.path()), 5u);
#ifdef _WIN32
    EXPECT_EQ(open("NUL"), 5u);
#else
    EXPECT_EQ(open(makeFifo(this->dir.file("fifo"))), 5u);
#endif
}

TYPED_TEST(RecordFileContract, AnEmptyNameOpensNothingAndFailsAtFirstUse)
{
    TRecordFile f(this->layer.api());
    f.open("");
    EXPECT_TRUE(f.isOpen());
    try {
        f.atEnd();
        ADD_FAILURE() << "end-of-file test on no handle";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 6u);
        EXPECT_EQ(e.message(), "I/O error 6");
    }
    StockRecord r;
    EXPECT_EQ(this->failureCode([&](TRecordFile& g) {
        g.open("");
        g.read(r);
    }),
              6u);
    EXPECT_NO_THROW(f.close());
}

TYPED_TEST(RecordFileContract, CreateEmptiesAnExistingFileAtOnce)
{
    const std::string name = this->dir.file("wynik.rek");
    writeFileBytes(name, stockFileBytes(4));
    TRecordFile f(this->layer.api());
    f.create(name);
    EXPECT_EQ(readFileBytes(name).size(), 0u);
    const StockRecord r = makeRecord({"Towar"}, 9);
    f.write(r);
    f.close();
    EXPECT_EQ(readFileBytes(name), recordBytes(r));
}

TYPED_TEST(RecordFileContract, ANameOf260CharactersIsRefusedBeforeAnyFileIsTouched)
{
    // Polish letters are one character each, though two bytes in the file system's encoding.
    std::string longName = this->dir.path() + "/";
    while (longName.size() < 259)
        longName += "x";
    EXPECT_EQ(this->failureCode([&](TRecordFile& f) { f.create(longName); }), 0u);
    std::string polish = this->dir.path() + "/";
    std::size_t chars = polish.size();
    for (; chars < 260; ++chars)
        polish += "ą";
    EXPECT_EQ(this->failureCode([&](TRecordFile& f) { f.create(polish); }), 3u);
    EXPECT_FALSE(fileExists(polish));
}

// The request pattern, seen only through the stand-in.
TEST(RecordFileRequests, EachReadAndWriteIsOneRequestAndEachEndTestAsksTwice)
{
    ScratchDir dir;
    writeFileBytes(dir.file("m.rek"), stockFileBytes(2));
    CountingFileApi os;
    {
        TRecordFile in(os);
        TRecordFile out(os);
        in.open(dir.file("m.rek"));
        out.create(dir.file("w.rek"));
        StockRecord r;
        for (int records = 0; records < 3 && !in.atEnd(); ++records) {
            in.read(r);
            out.write(r);
        }
        in.close();
        out.close();
    }
    EXPECT_EQ(os.pattern(), "OOPZRWPZRWPZCC");
    for (const auto& call : os.calls())
        if (call.op == CountingFileApi::Op::Read || call.op == CountingFileApi::Op::Write) {
            EXPECT_EQ(call.count, 463u);
        }
}

TEST(RecordFileRequests, ARefusedCloseIsCode1)
{
    ScratchDir dir;
    writeFileBytes(dir.file("m.rek"), stockFileBytes(1));
    CountingFileApi os;
    os.failOn(CountingFileApi::Op::Close, 1, 1);
    TRecordFile f(os);
    f.open(dir.file("m.rek"));
    try {
        f.close();
        FAIL() << "close refused silently";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), "I/O error 1");
    }
    EXPECT_TRUE(os.openHandles().empty());
}

TEST(RecordFileRequests, AnEmptyNameNeverReachesTheSystemsFiles)
{
    CountingFileApi os;
    {
        TRecordFile f(os);
        f.open("");
        f.close();
    }
    EXPECT_EQ(os.pattern(), "");
}

TEST(RecordFileRequests, AFileLeftOpenByAFailureIsClosedWithIt)
{
    ScratchDir dir;
    writeFileBytes(dir.file("m.rek"), stockFileBytes(1));
    CountingFileApi os;
    {
        TRecordFile f(os);
        f.open(dir.file("m.rek"));
        EXPECT_EQ(os.openHandles().size(), 1u);
    }
    EXPECT_TRUE(os.openHandles().empty());
}

} // namespace
