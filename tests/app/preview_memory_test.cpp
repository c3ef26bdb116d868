#include "controls/record_grid/record_grid.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/process_memory.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace
{

constexpr std::uint64_t kMiB = 1024 * 1024;

// A stock file whose records carry the most text a record can: 255 bytes in each text field,
// 1275 in a row, from 463 bytes of file.
std::string fullTextRecords(int count)
{
    std::string bytes;
    bytes.reserve(std::size_t(count) * kStockRecordSize);
    for (int i = 0; i < count; ++i) {
        StockRecord record = makeRecord({}, unsigned(i));
        for (int field = 1; field <= kTextFieldCount; ++field)
            setRawField(record, field, 255, std::string(255, char('A' + field)));
        bytes += recordBytes(record);
    }
    return bytes;
}

using PreviewMemory = MainWindow;

// Each "Czytaj" first blanks the grid, which gives the memory of the rows before back to the
// system: ten previews of the same file in a row take no more at their peak than the first, and
// blanking the grid brings the process back to where it was before them.
TEST_F(PreviewMemory, TenPreviewsInARowPeakWhereTheFirstDidAndBlankingGivesTheRowsBack)
{
    if (!kMemoryFiguresMeaningful)
        GTEST_SKIP() << "this build's allocator keeps freed memory; the figures say nothing";
    const std::string stock = scratch.file("mag.rek");
    writeFileBytes(stock, fullTextRecords(20000));
    const std::string empty = scratch.file("pusty.rek");
    writeFileBytes(empty, "");
    typeStockName(stock);
    if (!resetPeakResidentSize())
        GTEST_SKIP() << "the system cannot set the peak resident size back";
    const std::uint64_t before = residentBytes();

    ModalWatcher watcher;
    click("Button1");
    const std::uint64_t firstPeak = peakResidentBytes();
    const std::uint64_t grown = residentBytes() - before;
    ASSERT_GT(grown, 20 * kMiB) << "the rows should take about 26 MiB";
    for (int preview = 2; preview <= 10; ++preview)
        click("Button1");
    EXPECT_EQ(grid()->RowCount(), 2 + 10 * 20000);
    EXPECT_LE(peakResidentBytes(), firstPeak + kResidentCountSlack);

    typeStockName(empty);
    click("Button1");
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_EQ(grid()->store().storedRowCount(), 0u);
    EXPECT_LT(residentBytes(), before + grown / 10 + kResidentCountSlack);
}

constexpr int kRecordsBeyondTheLimit = 80000; // 102 MB of text

// In the child: previews kRecordsBeyondTheLimit records under an address-space limit of
// headroom above the window's present size (or a job's memory limit, on Windows); exits 0 when the
// window showed the expected error, kept the rows it took and still paints.
[[noreturn]] void previewUnderAnAddressSpaceLimit(MainWindow& window, std::uint64_t headroom)
{
    const std::string stock = window.scratch.file("duzy.rek");
    writeFileBytes(stock, fullTextRecords(kRecordsBeyondTheLimit));
    window.typeStockName(stock);
    if (!capMemory(headroom))
        std::_Exit(2);
    ModalWatcher watcher;
    window.click("Button1");
    const auto boxes = MainWindow::errorBoxes(watcher);
    const int rows = window.grid()->RowCount() - 2;
    const QString expected =
        QStringLiteral("Too many records to preview: memory is running out after %1 records.")
            .arg(rows);
    std::fprintf(stderr, "shown: %s\n", boxes.empty() ? "nothing" : qPrintable(boxes.front().text));
    const bool rowsKept = rows > 0 && rows < kRecordsBeyondTheLimit &&
                          window.grid()->store().cellText(1, rows).size() == 255;
    const bool stillPaints = !window.grid()->grab().isNull();
    std::_Exit(boxes.size() == 1 && boxes.front().text == expected && rowsKept && stillPaints ? 0
                                                                                              : 1);
}

// A file larger than memory can show, here memory bounded by an address-space limit set on a
// child process: the intelligent preview stops with its own message in the error display while
// the window can still show it, keeping the rows it took, instead of failing an allocation (or,
// with no such limit, meeting the out-of-memory killer).
TEST_F(PreviewMemory, IntelligentPreviewOfMoreThanMemoryHoldsEndsWithAClearError)
{
    if (!kMemoryFiguresMeaningful)
        GTEST_SKIP() << "this build's allocator reserves vast address space: no limit fits";
    if (!memoryCapsAreKept())
        GTEST_SKIP() << "this system keeps no account of a memory cap (Wine's job objects)";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(previewUnderAnAddressSpaceLimit(*this, 96 * kMiB), ::testing::ExitedWithCode(0),
                "shown: Too many records to preview: memory is running out after .+ records\\.");
}

// In the child, under an address-space limit: "Czytaj" on a million records, then on one.
[[noreturn]] void previewAMillionThenOne(MainWindow& window, std::uint64_t headroom)
{
    const std::string large = window.scratch.file("milion.rek"), one = window.scratch.file("1.rek");
    writeFileBytes(large, stockFileBytes(1'000'000));
    writeFileBytes(one, stockFileBytes(1));
    if (!capMemory(headroom))
        std::_Exit(2);
    ModalWatcher watcher;
    for (const std::string& stock : {large, one}) {
        window.typeStockName(stock);
        window.click("Button1");
    }
    const auto boxes = MainWindow::errorBoxes(watcher);
    std::fprintf(stderr, "shown: %s\n", boxes.empty() ? "nothing" : qPrintable(boxes.front().text));
    std::_Exit(boxes.empty() && window.grid()->store().cellText(1, 1) == "Towar 1" ? 0 : 1);
}

// Freed rows keep the address space they took: a preview that fitted must not leave the next
// one refused.
TEST_F(PreviewMemory, AfterAMillionRecordsUnderAnAddressSpaceLimitOneMoreStillFits)
{
    if (!kMemoryFiguresMeaningful || !memoryCapsAreKept())
        GTEST_SKIP() << "no memory cap is kept in this build or on this system";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(previewAMillionThenOne(*this, 160 * kMiB), ::testing::ExitedWithCode(0),
                "shown: nothing");
}

} // namespace
