#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The record grid as the preview sees it: the four grid operations, plus the capacity question
// that lets a preview refuse rows the grid cannot hold before memory runs out.
// None of the operations raises an error for any index the preview passes.
class PreviewGrid
{
public:
    virtual ~PreviewGrid() = default;

    // Blanks every cell of rows 0..RowCount-1, columns 0..ColCount-1; the row count stays.
    virtual void ClearAllCells() = 0;
    // One blank row more at the end.
    virtual void AppendRow() = 0;
    virtual int RowCount() const = 0;
    // 0 or less is taken as 1.
    virtual void SetRowCount(int rows) = 0;
    // Stores the text of (column, row), also at or beyond the row count.
    virtual void SetCellText(int column, int row, const std::string& text) = 0;

    // How many rows more the grid could hold if each carried this many bytes of text.
    virtual std::int64_t RowCapacity(std::size_t textBytesPerRow) const = 0;
};
