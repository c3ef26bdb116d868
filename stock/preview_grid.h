#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The record grid as the preview sees it: the four grid operations it calls, and the memory
// question that lets a preview refuse rows before memory runs out. None of the operations raises
// an error for any index the preview passes.
//
// Memory that runs out all the same (an address-space limit gives no warning) ends a write with
// std::bad_alloc. The grid has then taken back the record being shown: the texts of its row and
// the row count set for it by the AppendRow or SetRowCount that began it, so the rows shown are
// whole.
class PreviewGrid
{
public:
    virtual ~PreviewGrid() = default;

    // Blanks every cell of rows 0..RowCount-1, columns 0..ColCount-1; the row count stays.
    virtual void ClearAllCells() = 0;
    // One blank row more at the end.
    virtual void AppendRow() = 0;
    // 0 or less is taken as 1.
    virtual void SetRowCount(int rows) = 0;
    // Stores the text of (column, row), also at or beyond the row count.
    virtual void SetCellText(int column, int row, const std::string& text) = 0;

    // How many rows more memory can take if each carried this many bytes of text.
    virtual std::int64_t rowCapacity(std::size_t textBytesPerRow) const = 0;
};
