#include "controls/record_grid/record_grid.h"
#include "tests/controls/record_grid/grid_fixture.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

const QColor kSelection = QColor::fromRgb(RecordGridPainter::kSelectionColor);

// Collects what the viewport is asked to repaint.
class PaintRecorder : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class CountingPainter : public RecordGridPainter
{
public:
    mutable int cells = 0;
    void paintCell(QPainter& painter, const QRect& rect, std::string_view text,
                   const RecordGridCellState& state, const QPalette& palette) const override
    {
        ++cells;
        RecordGridPainter::paintCell(painter, rect, text, state, palette);
    }
};

// --- what the grid looks like when the window first shows ---

struct LookCase {
    const char* name;
    GridCell cell;
    QPoint spot; // (0, 0) the cell's middle, (1, 0) its right line, (0, 1) its bottom line
    QRgb rgb;    // 0: the palette's role
    QPalette::ColorRole role;
};

class RecordGridFirstLook : public RecordGridView, public ::testing::WithParamInterface<LookCase>
{
};

TEST_P(RecordGridFirstLook, PaintsTheCellAsExpected)
{
    const LookCase& c = GetParam();
    const QRect r = grid.cellRect(c.cell);
    const QPoint where(c.spot.x() ? r.right() : r.center().x(),
                       c.spot.y() ? r.bottom() : r.center().y());
    EXPECT_EQ(shot().pixelColor(where), c.rgb ? QColor::fromRgb(c.rgb) : role(c.role));
}

INSTANTIATE_TEST_SUITE_P(
    RecordGrid, RecordGridFirstLook,
    ::testing::Values(LookCase{"HeaderRowIsButtonFace", {3, 0}, {}, 0, QPalette::Button},
                      LookCase{"FixedColumnIsButtonFace", {0, 1}, {}, 0, QPalette::Button},
                      LookCase{"CurrentCellIsSelected", {1, 1}, {}, 0xFFB6CAEA, {}},
                      LookCase{"OtherNormalCellIsWindowColour", {2, 1}, {}, 0, QPalette::Base},
                      LookCase{"NormalRightLineIsSilver", {2, 1}, {1, 0}, 0xFFC0C0C0, {}},
                      LookCase{"SelectedBottomLineIsSilver", {1, 1}, {0, 1}, 0xFFC0C0C0, {}},
                      LookCase{"FixedLinesAreGrey", {0, 1}, {1, 1}, 0xFF808080, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordGridView, SpacePastTheCellsIsWindowColourInsideAOnePixelBorder)
{
    EXPECT_EQ(shot().pixelColor(645, 100), role(QPalette::Base));
    const QImage whole = grid.grab().toImage();
    EXPECT_EQ(whole.pixelColor(0, 50), role(QPalette::WindowText));
    EXPECT_EQ(whole.pixelColor(1, 1), role(QPalette::Button));
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid.horizontalScrollBar()->isVisible());
}

TEST_F(RecordGridView, HeaderRowBecomesNormalWhenOnlyOneRowIsLeft)
{
    grid.store().SetRowCount(1);
    settle();
    EXPECT_EQ(colourAt({1, 0}), kSelection);
    EXPECT_EQ(colourAt({2, 0}), role(QPalette::Base));
    EXPECT_EQ(colourAt({0, 0}), role(QPalette::Button));
}

// --- texts ---

TEST_F(RecordGridView, TextAppearsInItsOwnCellOnly)
{
    grid.store().SetCellText(3, 1, "Stal 12");
    settle();
    const QImage view = shot();
    EXPECT_GT(inkIn(view, grid.cellRect({3, 1})), 0);
    for (const GridCell other : {GridCell{2, 1}, GridCell{4, 1}, GridCell{3, 0}})
        EXPECT_EQ(inkIn(view, grid.cellRect(other)), 0) << other.col << "," << other.row;
}

TEST(RecordGridPainter, DrawsTheBytesAsWindows1250)
{
    // "Łódź Ść" in Windows-1250; read as Latin-1 the same bytes would show "£ódź ŒE".
    const std::string bytes = std::string("\xA3\xF3") + "d" + "\x9F \x8C\xE6";
    const RecordGridPainter painter;
    const QPalette palette = QApplication::palette();
    const QRect cell(0, 0, 322, 21);
    const auto paint = [&](auto draw) {
        QImage image(cell.size(), QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        draw(p);
        return image;
    };
    const QImage drawn =
        paint([&](QPainter& p) { painter.paintCell(p, cell, bytes, {}, palette); });
    EXPECT_EQ(drawn, paint([&](QPainter& p) {
                  painter.paintCell(p, cell, {}, {}, palette);
                  PlainTextRenderer().paint(p, RecordGridPainter::textRect(cell),
                                            QString::fromUtf8("Łódź Ść"), painter.drawnFont(),
                                            palette.color(QPalette::Text));
              }));
    EXPECT_NE(drawn, paint([&](QPainter& p) { painter.paintCell(p, cell, {}, {}, palette); }));
}

TEST_F(RecordGridView, TextBeyondTheRowCountIsNotShownUntilTheRowIs)
{
    const QImage before = shot();
    PaintRecorder recorder;
    grid.viewport()->installEventFilter(&recorder);
    grid.store().SetCellText(1, 2, "Ukryty");
    settle();
    EXPECT_TRUE(recorder.painted.isEmpty());
    EXPECT_EQ(shot(), before);

    grid.store().SetRowCount(3);
    settle();
    EXPECT_GT(inkIn(shot(), grid.cellRect({1, 2})), 0);
}

// --- repaints and scrolling ---

TEST_F(RecordGridView, ChangedTextRepaintsOnlyItsCellAndClearingOnlyItsRows)
{
    PaintRecorder recorder;
    grid.viewport()->installEventFilter(&recorder);
    grid.store().SetCellText(4, 1, "x");
    settle();
    EXPECT_EQ(recorder.painted, QRegion(grid.cellRect({4, 1})));

    recorder.painted = {};
    grid.store().ClearAllCells();
    settle();
    EXPECT_EQ(recorder.painted, QRegion(0, 0, 642, 2 * 21));
}

TEST_F(RecordGridView, AppendingManyRowsRefitsTheScrollBarsOnlyOnce)
{
    QScrollBar* v = grid.verticalScrollBar();
    QSignalSpy ranges(v, &QScrollBar::rangeChanged);
    for (int i = 0; i < 1000; ++i)
        grid.store().AppendRow();
    settle();
    // Once for the rows, once more when the horizontal bar that came with it shortened the view.
    EXPECT_LE(ranges.count(), 2);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(grid.horizontalScrollBar()->isVisible()); // the view is now below 642 pixels
    EXPECT_EQ(v->maximum(), grid.cellGeometry().maxFirstRow() - 1);

    grid.store().SetRowCount(2);
    settle();
    EXPECT_FALSE(v->isVisible());
}

TEST_F(RecordGridView, FixedRowAndColumnStayPutWhileScrolling)
{
    grid.resize(200, 188);
    grid.store().SetRowCount(300);
    grid.store().SetCellText(1, 0, "Nazwa");
    grid.store().SetCellText(0, 150, "150");
    grid.store().SetCellText(4, 150, "Tu");
    settle();
    const QImage atStart = shot();
    const QRect headerStrip(0, 0, atStart.width(), 21);
    const QRect fixedColumn(0, 0, 64, atStart.height());

    grid.verticalScrollBar()->setValue(149);
    settle();
    const QImage scrolledDown = shot();
    EXPECT_EQ(grid.firstVisibleRow(), 150);
    EXPECT_EQ(scrolledDown.copy(headerStrip), atStart.copy(headerStrip));
    EXPECT_EQ(grid.cellAt({5, 21 + 5}), (GridCell{0, 150}));
    EXPECT_GT(inkIn(scrolledDown, grid.cellRect({0, 150})), 0);

    grid.horizontalScrollBar()->setValue(3);
    settle();
    const QImage scrolledRight = shot();
    EXPECT_EQ(grid.firstVisibleCol(), 4);
    EXPECT_EQ(scrolledRight.copy(fixedColumn), scrolledDown.copy(fixedColumn));
    EXPECT_EQ(grid.cellRect({4, 150}).topLeft(), QPoint(64, 21));
    EXPECT_GT(inkIn(scrolledRight, grid.cellRect({4, 150})), 0);
}

TEST_F(RecordGridView, CurrentCellIsKeptInView)
{
    const QRect view = grid.viewport()->rect();
    grid.store().SetRowCount(300);
    grid.store().setCurrentCell({2, 200});
    settle();
    EXPECT_TRUE(view.contains(grid.cellRect({2, 200})));
    EXPECT_EQ(colourAt({2, 200}), kSelection);

    grid.store().setCurrentCell({2, 250});
    grid.store().SetRowCount(100);
    settle();
    EXPECT_EQ(grid.store().currentCell(), (GridCell{2, 99}));
    EXPECT_TRUE(view.contains(grid.cellRect({2, 99})));
}

TEST(RecordGridPaintCost, DoesNotGrowWithTheRowCount)
{
    const auto cellsPainted = [](int rows, bool atTheEnd) {
        TRecordGrid grid;
        grid.resize(649, 188);
        auto painter = std::make_unique<CountingPainter>();
        CountingPainter* counter = painter.get();
        grid.setPainter(std::move(painter));
        grid.store().SetRowCount(rows);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        if (atTheEnd)
            grid.store().setCurrentCell({1, rows - 1});
        settle();
        EXPECT_GE(grid.firstVisibleRow(), atTheEnd ? rows - 10 : 1);
        counter->cells = 0;
        grid.viewport()->grab();
        return counter->cells;
    };
    const int atTop = cellsPainted(100, false);
    EXPECT_GT(atTop, 0);
    EXPECT_EQ(cellsPainted(1'000'000, false), atTop);
    EXPECT_EQ(cellsPainted(1'000'000, true), cellsPainted(100, true));
}

// --- keyboard and mouse ---

TEST_F(RecordGridView, ArrowsMoveTheCurrentCellAmongTheNormalCells)
{
    grid.store().SetRowCount(5);
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_Left);
    EXPECT_EQ(grid.store().currentCell(), (GridCell{1, 1}));
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid.store().Selection(), (GridRect{2, 2, 3, 3}));
    settle();
    EXPECT_EQ(colourAt({2, 3}), kSelection);
    EXPECT_EQ(colourAt({1, 1}), role(QPalette::Base));
}

TEST_F(RecordGridView, LeftClickSelectsANormalCellRepaintingOldAndNewOnly)
{
    grid.store().SetRowCount(5);
    grid.setFocus();
    settle();
    PaintRecorder recorder;
    grid.viewport()->installEventFilter(&recorder);
    click({3, 2});
    settle();
    EXPECT_EQ(grid.store().Selection(), (GridRect{3, 2, 3, 2}));
    EXPECT_TRUE(recorder.painted.contains(grid.cellRect({1, 1})));
    EXPECT_TRUE(recorder.painted.contains(grid.cellRect({3, 2})));
    EXPECT_FALSE(recorder.painted.intersects(grid.cellRect({4, 3})));

    click({0, 2});
    click({2, 0});
    EXPECT_EQ(grid.store().currentCell(), (GridCell{3, 2}));
}

} // namespace
