#include "runtime/exceptions.h"
#include "stock/preview.h"
#include "tests/stock/counting_file_api.h"
#include "tests/stock/counting_preview_grid.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

namespace
{

class Preview : public ::testing::Test
{
protected:
    std::string stock(int count, const std::vector<int>& blanks = {}, int tail = 0)
    {
        const std::string name = dir.file("magazyn.rek");
        writeFileBytes(name, stockFileBytes(count, blanks, tail));
        return name;
    }

    // The message of what the preview throws, empty when it runs through.
    std::string run(const std::string& name, ScanMethod method = ScanMethod::Intelligent,
                    const std::string& count = {})
    {
        try {
            previewStockFile(grid, FixedRepairInputs(name, method, count), os);
        } catch (const Exception& e) {
            EXPECT_TRUE(os.openHandles().empty()) << "stock file left open after: " << e.what();
            return e.message();
        }
        EXPECT_TRUE(os.openHandles().empty());
        return {};
    }

    // Rows 1..n show records 1..n, and nothing else is stored anywhere below the row count.
    void expectRecordsInRows(int n)
    {
        for (int row = 0; row < grid.RowCount(); ++row)
            for (int col = 0; col < grid.ColCount(); ++col) {
                const std::string_view text = grid.cellText(col, row);
                const bool record = row >= 1 && row <= n;
                std::string expected;
                if (record && col == 1)
                    expected = "Towar " + std::to_string(row);
                else if (record && col == 3)
                    expected = "K-" + std::to_string(row);
                else if (record && col != 0)
                    continue;
                EXPECT_EQ(text, expected) << "cell " << col << "," << row;
            }
    }

    void fillEveryCell()
    {
        for (int row = 0; row < grid.RowCount(); ++row)
            for (int col = 0; col < grid.ColCount(); ++col)
                grid.SetCellText(col, row, "stare");
    }

    ScratchDir dir;
    CountingFileApi os;
    CountingPreviewGrid grid;
};

TEST_F(Preview, IntelligentAppendsARowPerRecordToTheRowsThereWere)
{
    const std::string name = stock(10);
    EXPECT_EQ(run(name), "");
    EXPECT_EQ(grid.RowCount(), 12);
    expectRecordsInRows(10);
    EXPECT_EQ(run(name), "");
    EXPECT_EQ(grid.RowCount(), 22);
    expectRecordsInRows(10);
}

TEST_F(Preview, ShowsTheFiveFieldsInColumnsOneToFive)
{
    const StockRecord r = makeRecord({"Śruba", "szt.", "KOD", "1,5", "Opis"});
    writeFileBytes(dir.file("m.rek"), recordBytes(r));
    EXPECT_EQ(run(dir.file("m.rek")), "");
    for (int col = 1; col <= 5; ++col)
        EXPECT_EQ(grid.cellText(col, 1), fieldText(r, col));
    EXPECT_EQ(grid.clears, 1);
    EXPECT_EQ(grid.appends, 1);
    EXPECT_EQ(grid.cellWrites, 5); // the five fields, nothing in the fixed row or column
}

TEST_F(Preview, IntelligentStopsAtTheThirdBlankNameAndShowsIt)
{
    EXPECT_EQ(run(stock(10, {2, 5, 7})), "");
    EXPECT_EQ(grid.RowCount(), 2 + 7);
    EXPECT_EQ(grid.cellText(2, 7), "szt."); // the blank-name record itself
    EXPECT_EQ(grid.cellText(2, 8), "");
}

TEST_F(Preview, IncompleteTailIsNotAnError)
{
    EXPECT_EQ(run(stock(3, {}, 100)), "");
    EXPECT_EQ(grid.RowCount(), 5);
    expectRecordsInRows(3);
}

TEST_F(Preview, CountedSetsExactlyNPlusOneRows)
{
    grid.SetRowCount(40);
    EXPECT_EQ(run(stock(10), ScanMethod::Counted, "7"), "");
    EXPECT_EQ(grid.RowCount(), 8);
    expectRecordsInRows(7);
    EXPECT_EQ(run(stock(10), ScanMethod::Counted, "1"), "");
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(Preview, CountedPastTheEndKeepsTheRecordsReadAndTheRowCount)
{
    EXPECT_EQ(run(stock(3, {}, 100), ScanMethod::Counted, "5"), "Read beyond end of file");
    EXPECT_EQ(grid.RowCount(), 6);
    expectRecordsInRows(3);
}

TEST_F(Preview, CountedFailingAtTheFirstReadLeavesTheRowCount)
{
    fillEveryCell();
    EXPECT_EQ(run(stock(0, {}, 50), ScanMethod::Counted, "5"), "Read beyond end of file");
    EXPECT_EQ(grid.RowCount(), 2);
    expectRecordsInRows(0);
}

struct NothingShown {
    const char* label;
    ScanMethod method;
    const char* count;
    const char* message;
};

class PreviewShowsNothing : public Preview, public ::testing::WithParamInterface<NothingShown>
{
};

TEST_P(PreviewShowsNothing, BlanksEveryCellAndKeepsTheRowCount)
{
    grid.SetRowCount(5);
    fillEveryCell();
    grid.SetCellText(1, 7, "poza");
    EXPECT_EQ(run(stock(4), GetParam().method, GetParam().count), GetParam().message);
    EXPECT_EQ(grid.RowCount(), 5);
    expectRecordsInRows(0);
    EXPECT_EQ(grid.cellText(1, 7), "poza"); // beyond the row count: untouched
}

INSTANTIATE_TEST_SUITE_P(Counts, PreviewShowsNothing,
                         ::testing::Values(NothingShown{"Negative", ScanMethod::Counted, "-4", ""},
                                           NothingShown{"Zero", ScanMethod::Counted, "0", ""},
                                           NothingShown{"EmptyText", ScanMethod::Counted, "",
                                                        "'' is not a valid integer value"},
                                           NothingShown{"Decimal", ScanMethod::Counted, "12,5",
                                                        "'12,5' is not a valid integer value"},
                                           NothingShown{"TrailingSpace", ScanMethod::Counted, "7 ",
                                                        "'7 ' is not a valid integer value"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(Preview, OpenFailuresComeAfterTheGridIsBlanked)
{
    fillEveryCell();
    EXPECT_EQ(run(dir.file("brak.rek")), "File not found");
    expectRecordsInRows(0);
    EXPECT_EQ(run(dir.file("brak/m.rek")), "Invalid filename");
    const std::string ro = stock(2);
    makeReadOnly(ro);
    if (systemRefusesReadOnlyFiles()) {
        EXPECT_EQ(run(ro), "File access denied");
    }
    EXPECT_EQ(run(dir.path()), "File access denied");
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(Preview, AnEmptyNameFailsAtTheFirstUseWithCode6)
{
    EXPECT_EQ(run(""), "I/O error 6");
    EXPECT_EQ(run("", ScanMethod::Counted, "3"), "I/O error 6");
    EXPECT_EQ(run("", ScanMethod::Counted, "0"), "");
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(Preview, ASystemFailurePartWayKeepsTheRowsTakenAndClosesTheFile)
{
    os.failOn(CountingFileApi::Op::Read, 3, 1117);
    EXPECT_EQ(run(stock(5)), "I/O error 1117");
    EXPECT_EQ(grid.RowCount(), 4);
    expectRecordsInRows(2);
}

TEST_F(Preview, ACountTheGridCannotHoldIsRefusedBeforeItGrows)
{
    CountingPreviewGrid small(10);
    const std::string name = stock(20);
    EXPECT_THROW(previewStockFile(small, FixedRepairInputs(name, ScanMethod::Counted, "10"), os),
                 ERangeError);
    EXPECT_EQ(small.RowCount(), 2);
    EXPECT_EQ(small.cellWrites, 0);
    EXPECT_EQ(os.count(CountingFileApi::Op::Read), 0);
    EXPECT_TRUE(os.openHandles().empty());
    EXPECT_NO_THROW(previewStockFile(small, FixedRepairInputs(name, ScanMethod::Counted, "9")));
    EXPECT_EQ(small.RowCount(), 10);
}

// The intelligent scan's end is not known ahead: rows are taken only as far as the grid last said
// it could hold, asked before the first row and again at the latest every kPreviewRowsAhead rows.
struct RoomCase {
    const char* name;
    std::int64_t capacity;
    int rowsTaken; // of kPreviewRowsAhead + 50 records; all of them when it runs through
};

class IntelligentPreviewRoom : public Preview, public ::testing::WithParamInterface<RoomCase>
{
};

TEST_P(IntelligentPreviewRoom, EndsWithAClearErrorBeforeRowsMemoryCannotHold)
{
    const RoomCase& c = GetParam();
    constexpr int kRecords = kPreviewRowsAhead + 50;
    CountingPreviewGrid limited(c.capacity);
    std::string message;
    try {
        previewStockFile(limited, FixedRepairInputs(stock(kRecords)), os);
    } catch (const ERangeError& e) {
        message = e.message();
    }
    EXPECT_EQ(message, c.rowsTaken == kRecords
                           ? ""
                           : "Too many records to preview: memory is running out after " +
                                 std::to_string(c.rowsTaken) + " records");
    EXPECT_EQ(limited.RowCount(), 2 + c.rowsTaken);
    EXPECT_EQ(limited.cellText(1, c.rowsTaken),
              c.rowsTaken ? "Towar " + std::to_string(c.rowsTaken) : "");
    EXPECT_EQ(limited.cellText(1, c.rowsTaken + 1), "");
    EXPECT_TRUE(os.openHandles().empty());
}

INSTANTIATE_TEST_SUITE_P(Memory, IntelligentPreviewRoom,
                         ::testing::Values(RoomCase{"NoRoomAtAll", 0, 0},
                                           RoomCase{"RoomForPartOfTheFile", kPreviewRowsAhead + 20,
                                                    kPreviewRowsAhead + 20},
                                           RoomCase{"RoomForExactlyAll", kPreviewRowsAhead + 50,
                                                    kPreviewRowsAhead + 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Preview, TheLargestCountIsRefusedBeforeTheGridGrows)
{
    const std::string message = run(stock(3), ScanMethod::Counted, "2147483647");
    EXPECT_NE(message.find("Too many records"), std::string::npos) << message;
    EXPECT_EQ(grid.RowCount(), 2);
    expectRecordsInRows(0);
}

} // namespace
