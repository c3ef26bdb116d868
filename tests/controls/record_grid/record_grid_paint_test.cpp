// What a person sees of the cell kinds, the focus rectangle and zooming, read back through
// grab().

#include "runtime/ansi_code_page.h"
#include "tests/controls/record_grid/grid_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace
{

using namespace std::string_literals;

const QColor kSelection = QColor::fromRgb(RecordGridPainter::kSelectionColor);

class GridLooks : public RecordGridView
{
protected:
    void SetUp() override
    {
        RecordGridView::SetUp();
        grid.store().SetRowCount(4);
        settle();
    }

    // The text area of an unselected cell showing the text.
    QImage look(const std::string& text, GridCell cell = {1, 2})
    {
        grid.store().SetCellText(cell.col, cell.row, text);
        settle();
        return textAreaOf(shot(), grid.cellRect(cell));
    }

    // The rightmost column holding ink.
    static int inkRight(const QImage& image)
    {
        const QRgb background = image.pixel(image.width() - 1, 0);
        for (int x = image.width() - 1; x >= 0; --x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != background)
                    return x;
        return -1;
    }
    static int inkRows(const QImage& image)
    {
        const QRgb background = image.pixel(image.width() - 1, 0);
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background) {
                    ++rows;
                    break;
                }
        return rows;
    }
};

struct SameLookCase {
    const char* name;
    std::string text;
    std::string looksLike;
};

class LooksTheSame : public GridLooks, public ::testing::WithParamInterface<SameLookCase>
{
};

TEST_P(LooksTheSame, AsItsCounterpart)
{
    const QImage expected = look(GetParam().looksLike);
    ASSERT_GT(inkRight(expected), 0);
    EXPECT_EQ(look(GetParam().text), expected);
}

INSTANTIATE_TEST_SUITE_P(
    RecordGrid, LooksTheSame,
    ::testing::Values(
        SameLookCase{"HiddenTag", "Towar</X>", "Towar"},
        SameLookCase{"OpenTagHidesTheRest", "Towar</B reszta", "Towar"},
        SameLookCase{"MarkupAmpersandUnderlinesTheNextCharacter", "</>A&B", "</>A<U>B</U>"},
        SameLookCase{"MarkupAmpersandReference", "A&amp;B</>", "A&B"},
        SameLookCase{"OnlyTheFirstLineOfAPlainText", "Towar\r\nDruga linia", "Towar"},
        SameLookCase{"OnlyTheFirstLineOfMarkup", "<B>Towar</B><BR>Druga", "<B>Towar</B>"},
        SameLookCase{"WideTextIsSixteenBitCharacters", "|\\\0T\0o\0w\0a\0r\0"s, "Towar"},
        SameLookCase{"RichTextInTheSubset", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\b Towar\\b0}",
                     "<B>Towar</B>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridLooks, AmpersandInPlainTextIsShown)
{
    EXPECT_GT(inkRight(look("A&B")), inkRight(look("AB")));
    EXPECT_NE(look("</>A&B"), look("</>AB"));
}

TEST_F(GridLooks, BoldMarkupRunIsWiderThanThePlainOne)
{
    EXPECT_GT(inkRight(look("<B>Towar budowlany</B>")), inkRight(look("Towar budowlany")));
}

TEST_F(GridLooks, FormulaIsShownAsStoredEvenWithTags)
{
    const QImage formula = look("=<B>1</B>");
    grid.SetEnableMarkup(false);
    EXPECT_EQ(look("=<B>1</B>", {1, 3}), formula);
    EXPECT_NE(look("<B>1</B>", {1, 3}), formula);
}

TEST_F(GridLooks, TextWiderThanItsColumnShowsTheWordsOfItsFirstLineOnly)
{
    const QString text = QString::fromUtf8("Wiertło do betonu fi 12");
    const GridCell narrow{2, 2};
    const auto lines =
        PlainTextRenderer().layout(text, grid.painter().drawnFont(),
                                   RecordGridPainter::textRect(grid.cellRect(narrow)).width(), 9);
    ASSERT_GT(lines.size(), 1u);
    QStringList firstLine;
    for (const auto& piece : lines.front())
        firstLine << piece.text;
    const QImage whole = look(ansiFromUtf8(text.toStdString()), narrow);
    EXPECT_EQ(whole, look(ansiFromUtf8(firstLine.join(u' ').toStdString()), narrow));
}

TEST_F(GridLooks, FocusRectangleComesAndGoesWithTheFocus)
{
    QLineEdit other;
    other.show();
    activate();
    const QPoint corner = RecordGridPainter::focusRect(grid.cellRect(current())).topLeft();
    const QColor inverted(255 - kSelection.red(), 255 - kSelection.green(),
                          255 - kSelection.blue());
    EXPECT_EQ(shot().pixelColor(corner), inverted);
    EXPECT_EQ(shot().pixelColor(corner + QPoint(1, 0)), kSelection); // dotted

    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    settle();
    EXPECT_FALSE(grid.hasFocus());
    EXPECT_EQ(shot().pixelColor(corner), kSelection);

    activate();
    EXPECT_EQ(shot().pixelColor(corner), inverted);
}

TEST_F(GridLooks, ZoomingEnlargesTheText)
{
    const int before = inkRows(look("Łąka"));
    wheel(-120, Qt::ControlModifier);
    settle();
    EXPECT_GT(inkRows(textAreaOf(shot(), grid.cellRect({1, 2}))), before);
}

TEST_F(GridLooks, TextStaysVisibleAtTheLargestZoom)
{
    // As many notches as still zoom in; a zoom that never grows stops after a few.
    for (int notch = 0; notch <= TRecordGrid::kMostZoom &&
                        grid.zoomOffset() + grid.wheelScrollLines() <= TRecordGrid::kMostZoom;
         ++notch)
        wheel(-120, Qt::ControlModifier);
    settle();
    // The fonts grow by points, the rows by pixels: a line no longer fits wholly.
    ASSERT_GT(grid.painter().drawnFont().height(),
              RecordGridPainter::textRect(grid.cellRect({1, 2})).height());
    EXPECT_GT(inkRows(look("Towar")), 0);
    EXPECT_GT(inkRows(look("|\\\0T\0o\0w\0a\0r\0"s)), 0);
}

TEST_F(GridLooks, RowsAddedAfterZoomingShowTheirText)
{
    wheel(-120, Qt::ControlModifier);
    grid.store().AppendRow();
    const int row = grid.store().RowCount() - 1;
    EXPECT_EQ(grid.store().RowHeight(row), 21 + grid.wheelScrollLines());
    grid.store().setCurrentCell({3, row});
    EXPECT_GT(inkRows(look("Towar", {1, row})), 0);
}

} // namespace
