// The operator's wheel, zoom, pan mode, keys and mouse on a shown grid, through real events.

#include "tests/controls/record_grid/grid_fixture.h"
#include "tests/support/qt/wait_bound.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>

namespace
{

constexpr int kNotch = 120;

class GridInteraction : public RecordGridView
{
protected:
    void useRows(int rows)
    {
        grid.store().SetRowCount(rows);
        settle();
    }
    void moveTo(GridCell cell)
    {
        grid.store().setCurrentCell(cell);
        settle();
    }
    int lastRow() const { return grid.store().RowCount() - 1; }
    int lines() const { return grid.wheelScrollLines(); }
};

// --- wheel ---

TEST_F(GridInteraction, OneNotchTowardsTheOperatorMovesTheLineCountAndOneRowMore)
{
    useRows(50);
    wheel(-kNotch);
    EXPECT_EQ(current(), (GridCell{1, 1 + lines() + 1}));
    wheel(kNotch);
    EXPECT_EQ(current(), (GridCell{1, 1}));
}

TEST_F(GridInteraction, WheelNeverMovesPastTheEnds)
{
    useRows(50);
    moveTo({3, 2});
    wheel(kNotch);
    EXPECT_EQ(current(), (GridCell{3, 1}));
    moveTo({3, lastRow() - 2});
    wheel(-kNotch);
    EXPECT_EQ(current(), (GridCell{3, lastRow()}));
}

TEST_F(GridInteraction, EveryMessageMovesTheLineCountButOnlyFullNotchesOneRowMore)
{
    useRows(50);
    wheel(-kNotch / 2);
    wheel(-kNotch / 2);
    EXPECT_EQ(current().row, 1 + 2 * lines() + 1);
}

TEST_F(GridInteraction, WheelCollapsesTheSelectionAndScrollsToTheCurrentRow)
{
    useRows(50);
    press(Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 5; ++i)
        wheel(-kNotch);
    settle();
    const int row = 1 + 5 * (lines() + 1);
    EXPECT_EQ(grid.store().Selection(), (GridRect{2, row, 2, row}));
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.cellRect(current())));
}

TEST_F(GridInteraction, WheelOverTheScrollBarMovesTheCurrentRowToo)
{
    useRows(50);
    wheel(-kNotch, {}, grid.verticalScrollBar());
    EXPECT_EQ(current().row, 1 + lines() + 1);
}

TEST_F(GridInteraction, WithoutEnableWheelOnlyTheNotchMoves)
{
    useRows(50);
    grid.SetEnableWheel(false);
    wheel(-kNotch);
    EXPECT_EQ(current().row, 2);
}

// --- zoom ---

TEST_F(GridInteraction, CtrlNotchZoomsColumnsRowsAndFontsAndStillMovesOneRow)
{
    useRows(50);
    const int pixels = grid.painter().drawnFont().font().pixelSize();
    wheel(-kNotch, Qt::ControlModifier);
    EXPECT_EQ(grid.zoomOffset(), lines());
    for (int col = 0; col < 6; ++col)
        EXPECT_EQ(grid.store().ColWidth(col), RecordGridStore::kColWidths[col] + lines());
    EXPECT_EQ(grid.store().RowHeight(0), 21 + lines());
    EXPECT_EQ(grid.store().RowHeight(lastRow()), 21 + lines());
    EXPECT_GT(grid.painter().drawnFont().font().pixelSize(), pixels);
    EXPECT_GT(grid.painter().drawnFixedFont().font().pixelSize(), pixels);
    EXPECT_EQ(current().row, 2);

    wheel(kNotch, Qt::ControlModifier);
    EXPECT_EQ(grid.zoomOffset(), 0);
    EXPECT_EQ(grid.store().ColWidth(1), 322);
    EXPECT_EQ(grid.painter().drawnFont().font().pixelSize(), pixels);
    EXPECT_EQ(current().row, 1);
}

TEST_F(GridInteraction, ZoomStaysWithinTenEitherWay)
{
    useRows(50);
    const int steps = TRecordGrid::kMostZoom / lines(); // 3 with the usual setting
    for (int i = 0; i < steps + 1; ++i)
        wheel(-kNotch, Qt::ControlModifier);
    EXPECT_EQ(grid.zoomOffset(), steps * lines());
    EXPECT_EQ(grid.store().ColWidth(1), 322 + steps * lines());
    EXPECT_EQ(current().row, 1 + steps + 1);
    for (int i = 0; i < 2 * steps + 1; ++i)
        wheel(kNotch, Qt::ControlModifier);
    EXPECT_EQ(grid.zoomOffset(), -steps * lines());
    EXPECT_EQ(grid.store().RowHeight(1), 21 - steps * lines());
    EXPECT_EQ(current().row, 1);
}

TEST_F(GridInteraction, WithoutWheelZoomCtrlNotchOnlyMovesOneRow)
{
    useRows(50);
    grid.SetWheelZoom(false);
    wheel(-kNotch, Qt::ControlModifier);
    EXPECT_EQ(grid.zoomOffset(), 0);
    EXPECT_EQ(current().row, 2);
}

// --- pan mode ---

class PanMode : public GridInteraction
{
protected:
    void SetUp() override
    {
        GridInteraction::SetUp();
        useRows(100);
        moveTo({2, 40});
        grid.viewport()->setCursor(Qt::IBeamCursor);
        origin = grid.viewport()->rect().center();
        QTest::mousePress(grid.viewport(), Qt::MiddleButton, {}, origin);
        timer = grid.findChild<QTimer*>(QStringLiteral("PanTimer"));
    }
    void pointTo(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, grid.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::MiddleButton, {});
        QApplication::sendEvent(grid.viewport(), &move);
    }
    void waitForTicks(int ticks)
    {
        QSignalSpy spy(timer, &QTimer::timeout);
        EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() >= ticks; }, kWaitBound))
            << "the pan timer stopped ticking";
    }
    // Waits while the pan moves the current cell on, until it reaches the row.
    void waitUntilRow(int row)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return current().row == row; }, kWaitBound))
            << "the pan never reached row " << row;
    }
    bool showsPan(PanDirection direction) const
    {
        return grid.viewport()->cursor().pixmap().toImage() ==
               panCursor(direction).pixmap().toImage();
    }

    QPoint origin;
    QTimer* timer = nullptr;
};

TEST_F(PanMode, StartsWithTheCaptureTheCursorAndATenMillisecondTimer)
{
    EXPECT_TRUE(grid.isPanning());
    EXPECT_EQ(QWidget::mouseGrabber(), grid.viewport());
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 10);
    EXPECT_TRUE(showsPan(PanDirection::Rest));
}

TEST_F(PanMode, MovesTheCurrentRowWhileThePointerIsMoreThanFivePixelsAway)
{
    pointTo(origin + QPoint(30, 5));
    waitForTicks(5);
    EXPECT_EQ(current(), (GridCell{2, 40}));

    pointTo(origin + QPoint(0, 6));
    waitUntilRow(43);
    EXPECT_TRUE(showsPan(PanDirection::Down));

    pointTo(origin - QPoint(0, 6));
    const int turned = current().row;
    waitUntilRow(turned - 3);
    EXPECT_TRUE(showsPan(PanDirection::Up));
    EXPECT_EQ(current().col, 2);
}

TEST_F(PanMode, StopsAtTheLastRow)
{
    grid.store().setCurrentCell({2, lastRow() - 1});
    pointTo(origin + QPoint(0, 40));
    waitForTicks(5);
    EXPECT_EQ(current().row, lastRow());
}

struct PanEnd {
    const char* name;
    bool key;
    Qt::MouseButton button;
};

class PanModeEnds : public PanMode, public ::testing::WithParamInterface<PanEnd>
{
};

TEST_P(PanModeEnds, AtTheNextPressDoingNothingElse)
{
    const GridCell before = current();
    if (GetParam().key)
        press(Qt::Key_Down);
    else
        QTest::mousePress(grid.viewport(), GetParam().button, {},
                          grid.cellRect({4, grid.firstVisibleRow() + 1}).center());
    EXPECT_FALSE(grid.isPanning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(grid.findChild<QTimer*>(QStringLiteral("PanTimer")), nullptr);
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(current(), before);
}

INSTANTIATE_TEST_SUITE_P(RecordGrid, PanModeEnds,
                         ::testing::Values(PanEnd{"Key", true, Qt::NoButton},
                                           PanEnd{"LeftButton", false, Qt::LeftButton},
                                           PanEnd{"RightButton", false, Qt::RightButton},
                                           PanEnd{"MiddleButton", false, Qt::MiddleButton}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- keyboard ---

// The grid as the keys see it: 100 rows, scrolled to the row the case starts from.
struct View {
    int top;     // first visible scrollable row
    int page;    // wholly visible rows less one
    int colPage; // wholly visible columns less one
    int lastRow;
};

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    GridCell start;
    GridCell (*expected)(const View&);
    int (*topAfter)(const View&) = nullptr; // null: wherever it takes to show the current cell
    // A key pressed first, from the start cell: what makes the range the key meets.
    QKeyCombination before = QKeyCombination(Qt::Key_unknown);
};

class KeyTable : public GridInteraction, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(KeyTable, MovesAsTheTableSays)
{
    useRows(100);
    moveTo(GetParam().start);
    if (GetParam().before.key() != Qt::Key_unknown)
        press(GetParam().before.key(), GetParam().before.keyboardModifiers());
    const RecordGridGeometry g = grid.cellGeometry();
    const View view{g.firstVisibleRow(), std::max(1, g.fullyVisibleRows() - 1),
                    std::max(1, g.fullyVisibleCols() - 1), lastRow()};
    press(GetParam().key, GetParam().modifiers);
    settle();
    EXPECT_EQ(current(), GetParam().expected(view));
    EXPECT_EQ(grid.store().Anchor(), current());
    if (GetParam().topAfter) {
        EXPECT_EQ(grid.firstVisibleRow(), GetParam().topAfter(view));
    }
    EXPECT_TRUE(grid.viewport()->rect().intersects(grid.cellRect(current())));
}

INSTANTIATE_TEST_SUITE_P(
    RecordGrid, KeyTable,
    ::testing::Values(KeyCase{"Right",
                              Qt::Key_Right,
                              {},
                              {1, 1},
                              [](const View&) {
                                  return GridCell{2, 1};
                              }},
                      KeyCase{"LeftStopsAtTheFirstNormalColumn",
                              Qt::Key_Left,
                              {},
                              {1, 1},
                              [](const View&) {
                                  return GridCell{1, 1};
                              }},
                      KeyCase{"UpStopsAtTheFirstNormalRow",
                              Qt::Key_Up,
                              {},
                              {3, 1},
                              [](const View&) {
                                  return GridCell{3, 1};
                              }},
                      KeyCase{"Down",
                              Qt::Key_Down,
                              {},
                              {3, 1},
                              [](const View&) {
                                  return GridCell{3, 2};
                              }},
                      KeyCase{"PageDown",
                              Qt::Key_PageDown,
                              {},
                              {2, 1},
                              [](const View& v) {
                                  return GridCell{2, 1 + v.page};
                              },
                              [](const View& v) { return v.top + v.page; }},
                      KeyCase{"PageUp",
                              Qt::Key_PageUp,
                              {},
                              {2, 60},
                              [](const View& v) {
                                  return GridCell{2, 60 - v.page};
                              },
                              [](const View& v) { return v.top - v.page; }},
                      KeyCase{"PageUpStopsAtTheFirstNormalRow",
                              Qt::Key_PageUp,
                              {},
                              {2, 2},
                              [](const View&) {
                                  return GridCell{2, 1};
                              },
                              [](const View&) { return 1; }},
                      KeyCase{"HomeIsTheFirstNormalColumn",
                              Qt::Key_Home,
                              {},
                              {4, 7},
                              [](const View&) {
                                  return GridCell{1, 7};
                              }},
                      KeyCase{"EndIsTheLastColumn",
                              Qt::Key_End,
                              {},
                              {2, 7},
                              [](const View&) {
                                  return GridCell{5, 7};
                              }},
                      KeyCase{"CtrlHomeIsTheFirstNormalCell",
                              Qt::Key_Home,
                              Qt::ControlModifier,
                              {4, 60},
                              [](const View&) {
                                  return GridCell{1, 1};
                              },
                              [](const View&) { return 1; }},
                      KeyCase{"CtrlEndIsTheLastCell",
                              Qt::Key_End,
                              Qt::ControlModifier,
                              {2, 7},
                              [](const View& v) {
                                  return GridCell{5, v.lastRow};
                              }},
                      KeyCase{"CtrlEndRightAfterCtrlACollapsesAndShowsTheLastCell",
                              Qt::Key_End,
                              Qt::ControlModifier,
                              {1, 1},
                              [](const View& v) {
                                  return GridCell{5, v.lastRow};
                              },
                              nullptr,
                              Qt::ControlModifier | Qt::Key_A},
                      KeyCase{"CtrlHomeOnARangeEndingThereCollapsesIt",
                              Qt::Key_Home,
                              Qt::ControlModifier,
                              {3, 60},
                              [](const View&) {
                                  return GridCell{1, 1};
                              },
                              [](const View&) { return 1; },
                              Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Home},
                      KeyCase{"CtrlPageUpIsTheTopVisibleRow",
                              Qt::Key_PageUp,
                              Qt::ControlModifier,
                              {3, 60},
                              [](const View& v) {
                                  return GridCell{3, v.top};
                              },
                              [](const View& v) { return v.top; }},
                      KeyCase{"CtrlPageDownIsTheBottomVisibleRow",
                              Qt::Key_PageDown,
                              Qt::ControlModifier,
                              {3, 1},
                              [](const View& v) {
                                  return GridCell{3, v.top + v.page};
                              },
                              [](const View& v) { return v.top; }},
                      KeyCase{"CtrlRightIsAPageOfColumns",
                              Qt::Key_Right,
                              Qt::ControlModifier,
                              {1, 4},
                              [](const View& v) {
                                  return GridCell{std::min(5, 1 + v.colPage), 4};
                              }},
                      KeyCase{"CtrlLeftIsAPageOfColumns",
                              Qt::Key_Left,
                              Qt::ControlModifier,
                              {5, 4},
                              [](const View& v) {
                                  return GridCell{std::max(1, 5 - v.colPage), 4};
                              }},
                      KeyCase{"CtrlDownScrollsWithoutMoving",
                              Qt::Key_Down,
                              Qt::ControlModifier,
                              {2, 5},
                              [](const View&) {
                                  return GridCell{2, 5};
                              },
                              [](const View& v) { return v.top + 1; }},
                      KeyCase{"CtrlUpAtTheTopDoesNothing",
                              Qt::Key_Up,
                              Qt::ControlModifier,
                              {2, 5},
                              [](const View&) {
                                  return GridCell{2, 5};
                              },
                              [](const View&) { return 1; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridInteraction, ShiftExtendsTheSelectionFromTheAnchor)
{
    useRows(100);
    moveTo({2, 3});
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_End, Qt::ShiftModifier);
    press(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(grid.store().Anchor(), (GridCell{2, 3}));
    EXPECT_EQ(grid.store().Selection().right, 5);
    EXPECT_GT(grid.store().Selection().bottom, 4);
}

TEST_F(GridInteraction, CtrlASelectsEveryNormalCellWithoutScrolling)
{
    useRows(100);
    press(Qt::Key_A, Qt::ControlModifier);
    settle();
    EXPECT_EQ(grid.store().Anchor(), (GridCell{1, 1}));
    EXPECT_EQ(current(), (GridCell{5, lastRow()}));
    EXPECT_EQ(grid.store().Selection(), (GridRect{1, 1, 5, lastRow()}));
    EXPECT_EQ(grid.firstVisibleRow(), 1);
    EXPECT_EQ(colourAt({3, 4}), QColor::fromRgb(RecordGridPainter::kSelectionColor));
    EXPECT_EQ(colourAt({0, 4}), role(QPalette::Button));
}

// Counts the key presses that come through to the grid's parent.
class KeyCounter : public QObject
{
public:
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        presses += event->type() == QEvent::KeyPress;
        return false;
    }
};

struct QuietKey {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
};

class QuietKeys : public ::testing::TestWithParam<QuietKey>
{
};

TEST_P(QuietKeys, DoNothingAndGoNoFurther)
{
    QWidget window;
    auto* grid = new TRecordGrid(&window);
    grid->store().SetRowCount(10);
    grid->store().SetCellText(2, 3, "Towar");
    grid->store().setCurrentCell({2, 3});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    KeyCounter counter;
    window.installEventFilter(&counter);
    QTest::keyClick(grid, static_cast<Qt::Key>(GetParam().key), GetParam().modifiers);
    EXPECT_EQ(grid->store().Selection(), (GridRect{2, 3, 2, 3}));
    EXPECT_EQ(grid->store().cellText(2, 3), "Towar");
    EXPECT_EQ(grid->store().RowCount(), 10);
    EXPECT_EQ(counter.presses, 0);
}

INSTANTIATE_TEST_SUITE_P(
    RecordGrid, QuietKeys,
    ::testing::Values(QuietKey{"Enter", Qt::Key_Return, {}}, QuietKey{"F2", Qt::Key_F2, {}},
                      QuietKey{"Escape", Qt::Key_Escape, {}},
                      QuietKey{"Insert", Qt::Key_Insert, {}},
                      QuietKey{"Delete", Qt::Key_Delete, {}}, QuietKey{"Letter", Qt::Key_X, {}},
                      QuietKey{"Space", Qt::Key_Space, {}},
                      QuietKey{"CtrlC", Qt::Key_C, Qt::ControlModifier},
                      QuietKey{"CtrlX", Qt::Key_X, Qt::ControlModifier},
                      QuietKey{"CtrlV", Qt::Key_V, Qt::ControlModifier},
                      QuietKey{"CtrlInsert", Qt::Key_Insert, Qt::ControlModifier},
                      QuietKey{"ShiftInsert", Qt::Key_Insert, Qt::ShiftModifier},
                      QuietKey{"ShiftDelete", Qt::Key_Delete, Qt::ShiftModifier}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordGridFocus, TabAndShiftTabLeaveTheGrid)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    auto* grid = new TRecordGrid(&window);
    auto* after = new QLineEdit(&window);
    layout->addWidget(before);
    layout->addWidget(grid);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(grid->store().currentCell(), (GridCell{1, 1}));
}

// --- mouse ---

TEST_F(GridInteraction, DraggingSelectsFromWhereTheButtonWentDown)
{
    useRows(20);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, grid.cellRect({1, 2}).center());
    const QPoint to = grid.cellRect({3, 4}).center();
    QMouseEvent move(QEvent::MouseMove, to, grid.viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(grid.viewport(), &move);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(grid.store().Anchor(), (GridCell{1, 2}));
    EXPECT_EQ(current(), (GridCell{3, 4}));
    settle();
    EXPECT_EQ(colourAt({2, 3}), QColor::fromRgb(RecordGridPainter::kSelectionColor));
}

TEST_F(GridInteraction, ShiftClickMovesTheAnchorAndLeavesTheCurrentCell)
{
    useRows(20);
    click({2, 2});
    // The hand trembles two pixels inside the clicked cell while the button is down.
    const QPoint at = grid.cellRect({4, 5}).center();
    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, at);
    QMouseEvent tremble(QEvent::MouseMove, at + QPoint(2, 1), grid.viewport()->mapToGlobal(at),
                        Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(grid.viewport(), &tremble);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, at + QPoint(2, 1));
    EXPECT_EQ(current(), (GridCell{2, 2}));
    EXPECT_EQ(grid.store().Selection(), (GridRect{2, 2, 4, 5}));
}

TEST_F(GridInteraction, ClicksOnTheFixedCellsDoNothing)
{
    useRows(20);
    moveTo({3, 3});
    for (const GridCell fixed : {GridCell{2, 0}, GridCell{0, 5}, GridCell{0, 0}}) {
        click(fixed);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(fixed).center());
    }
    EXPECT_EQ(grid.store().Selection(), (GridRect{3, 3, 3, 3}));
    // No sizing: the border between two header cells shows no other pointer.
    const QRect header = grid.cellRect({2, 0});
    QTest::mouseMove(grid.viewport(), QPoint(header.right(), header.center().y()));
    EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GridInteraction, DoubleClickOnANormalCellOnlySelectsIt)
{
    useRows(20);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect({4, 6}).center());
    EXPECT_EQ(grid.store().Selection(), (GridRect{4, 6, 4, 6}));
    EXPECT_EQ(grid.store().cellText(4, 6), "");
}

} // namespace
