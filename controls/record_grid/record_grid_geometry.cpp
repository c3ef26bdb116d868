#include "controls/record_grid/record_grid_geometry.h"

#include <algorithm>

namespace
{

// Rows and columns follow the same rules; this is one of the two seen as a line of bands.
class Axis
{
public:
    Axis(const RecordGridStore& store, bool rows, int first, int extent)
        : store_(store), rows_(rows), extent_(extent)
    {
        first_ = std::clamp(first, fixed(), std::max(fixed(), count() - 1));
    }

    int count() const { return rows_ ? store_.RowCount() : store_.ColCount(); }
    int fixed() const { return rows_ ? store_.FixedRows() : store_.FixedCols(); }
    int size(int i) const { return rows_ ? store_.RowHeight(i) : store_.ColWidth(i); }
    std::int64_t start(int i) const { return rows_ ? store_.rowTop(i) : store_.colLeft(i); }
    int first() const { return first_; }
    int extent() const { return extent_; }
    int fixedExtent() const { return static_cast<int>(start(fixed())); }

    // The band's leading edge in the viewport; none for a scrollable band above the first.
    std::optional<std::int64_t> position(int i) const
    {
        if (i < 0 || i >= count())
            return std::nullopt;
        if (i < fixed())
            return start(i);
        if (i < first_)
            return std::nullopt;
        return fixedExtent() + (start(i) - start(first_));
    }

    bool inView(std::int64_t pos, int size) const
    {
        return size > 0 && pos < extent_ && pos + size > 0;
    }

    // The pixel span [begin, end) of the bands a..b that lies in view, clipped to the extent.
    std::pair<int, int> span(int a, int b) const
    {
        a = std::max(a, 0);
        b = std::min(b, count() - 1);
        std::int64_t begin = extent_;
        std::int64_t end = 0;
        const auto take = [&](int from, int to) {
            if (from > to)
                return;
            const auto p = position(from);
            if (!p)
                return;
            const std::int64_t s = *p;
            const std::int64_t e = s + (start(to + 1) - start(from));
            begin = std::min(begin, s);
            end = std::max(end, e);
        };
        take(a, std::min(b, fixed() - 1));
        take(std::max(a, first_), b);
        begin = std::clamp<std::int64_t>(begin, 0, extent_);
        end = std::clamp<std::int64_t>(end, 0, extent_);
        return {static_cast<int>(begin), static_cast<int>(end)};
    }

    std::optional<int> indexAt(int pos) const
    {
        if (pos < 0 || pos >= extent_)
            return std::nullopt;
        std::int64_t offset = pos;
        if (pos >= fixedExtent())
            offset = pos - fixedExtent() + start(first_);
        if (offset >= start(count()))
            return std::nullopt;
        if (rows_)
            return store_.rowAt(offset);
        int i = 0;
        while (i + 1 < count() && start(i + 1) <= offset)
            ++i;
        return i;
    }

    std::vector<int> visible() const
    {
        std::vector<int> out;
        for (int i = 0; i < fixed() && start(i) < extent_; ++i)
            out.push_back(i);
        std::int64_t pos = fixedExtent();
        for (int i = first_; i < count() && pos < extent_; ++i) {
            out.push_back(i);
            pos += size(i);
        }
        return out;
    }

    int fullyVisible() const
    {
        int n = 0;
        std::int64_t pos = fixedExtent();
        for (int i = first_; i < count(); ++i) {
            pos += size(i);
            if (pos > extent_)
                break;
            ++n;
        }
        return n;
    }

    int maxFirst() const
    {
        const int avail = extent_ - fixedExtent();
        int i = count() - 1;
        if (i < fixed())
            return fixed();
        std::int64_t used = size(i);
        while (i - 1 >= fixed() && used + size(i - 1) <= avail) {
            --i;
            used += size(i);
        }
        return i;
    }

    int firstShowing(int i) const
    {
        if (i < fixed() || i >= count())
            return first_;
        if (i <= first_)
            return i;
        const int avail = extent_ - fixedExtent();
        if (start(i + 1) - start(first_) <= avail)
            return first_;
        int t = i;
        std::int64_t used = size(i);
        while (t - 1 > first_ && used + size(t - 1) <= avail) {
            --t;
            used += size(t);
        }
        return t;
    }

private:
    const RecordGridStore& store_;
    bool rows_;
    int extent_;
    int first_ = 0;
};

} // namespace

RecordGridGeometry::RecordGridGeometry(const RecordGridStore& store, QSize viewport, int firstRow,
                                       int firstCol)
    : store_(store), viewport_(viewport),
      firstRow_(Axis(store, true, firstRow, viewport.height()).first()),
      firstCol_(Axis(store, false, firstCol, viewport.width()).first())
{
}

namespace
{
Axis rowAxis(const RecordGridGeometry& g)
{
    return Axis(g.store(), true, g.firstVisibleRow(), g.viewportSize().height());
}
Axis colAxis(const RecordGridGeometry& g)
{
    return Axis(g.store(), false, g.firstVisibleCol(), g.viewportSize().width());
}
} // namespace

int RecordGridGeometry::fixedHeight() const
{
    return rowAxis(*this).fixedExtent();
}
int RecordGridGeometry::fixedWidth() const
{
    return colAxis(*this).fixedExtent();
}

QRect RecordGridGeometry::cellRect(GridCell cell) const
{
    const Axis rows = rowAxis(*this);
    const Axis cols = colAxis(*this);
    const auto y = rows.position(cell.row);
    const auto x = cols.position(cell.col);
    if (!x || !y)
        return {};
    const int w = cols.size(cell.col);
    const int h = rows.size(cell.row);
    if (!cols.inView(*x, w) || !rows.inView(*y, h))
        return {};
    return {static_cast<int>(*x), static_cast<int>(*y), w, h};
}

QRect RecordGridGeometry::cellsRect(const GridRect& cells) const
{
    const auto [top, bottom] = rowAxis(*this).span(cells.top, cells.bottom);
    const auto [left, right] = colAxis(*this).span(cells.left, cells.right);
    if (top >= bottom || left >= right)
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

std::optional<GridCell> RecordGridGeometry::cellAt(QPoint point) const
{
    const auto col = colAxis(*this).indexAt(point.x());
    const auto row = rowAxis(*this).indexAt(point.y());
    if (!col || !row)
        return std::nullopt;
    return GridCell{*col, *row};
}

std::vector<int> RecordGridGeometry::visibleRows() const
{
    return rowAxis(*this).visible();
}
std::vector<int> RecordGridGeometry::visibleCols() const
{
    return colAxis(*this).visible();
}
int RecordGridGeometry::fullyVisibleRows() const
{
    return rowAxis(*this).fullyVisible();
}
int RecordGridGeometry::fullyVisibleCols() const
{
    return colAxis(*this).fullyVisible();
}
int RecordGridGeometry::maxFirstRow() const
{
    return rowAxis(*this).maxFirst();
}
int RecordGridGeometry::maxFirstCol() const
{
    return colAxis(*this).maxFirst();
}
int RecordGridGeometry::firstRowShowing(int row) const
{
    return rowAxis(*this).firstShowing(row);
}
int RecordGridGeometry::firstColShowing(int col) const
{
    return colAxis(*this).firstShowing(col);
}
