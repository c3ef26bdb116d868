#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The texts of the cell store, keyed by (column, row), both from 0; an absent text and an empty
// one are the same. Each row that holds any text is one run of bytes, its non-empty cells packed
// in column order (column, length, bytes); the runs are grouped by neighbouring rows into blocks,
// each one buffer of at most kBlockBytes (a single longer row gets a block of its own) with an
// index of 8 bytes a row. So a row costs its texts, about two bytes a cell and ten a row, and a
// row never written costs nothing.
//
// Rows written in ascending order, as a preview writes them, fill each block to the brim and
// move nothing; the row written last grows where it stands. A row written elsewhere goes into
// the block of its neighbours, which is compacted or split in two when its buffer is full.
class RecordGridTexts
{
public:
    static constexpr std::size_t kBlockBytes = 64 * 1024;

    RecordGridTexts();
    ~RecordGridTexts();
    RecordGridTexts(const RecordGridTexts&) = delete;
    RecordGridTexts& operator=(const RecordGridTexts&) = delete;

    // Valid until the texts next change.
    std::string_view text(int column, int row) const;
    // Throws std::bad_alloc when memory for the text (a block of up to kBlockBytes, or the row
    // index) cannot be had, after erasing the row: no row is ever left half-written.
    void setText(int column, int row, std::string_view text);
    // Never needs memory.
    void eraseRow(int row);
    // Blanks the cells of columns below columnLimit in the rows below rowLimit. Returns the
    // bytes of buffers freed, which the caller may hand back to the system.
    std::size_t clearBelow(int rowLimit, int columnLimit);

    // Rows holding any text.
    std::size_t rowCount() const { return rowCount_; }

private:
    struct Entry {
        std::int32_t row;
        std::uint32_t offset; // of the row's length prefix in its block's buffer
    };
    struct Block;
    struct Place {
        std::size_t block;
        std::size_t entry;
    };

    void writeText(int column, int row, std::string_view text);
    std::size_t blockFor(int row) const;
    // The index of the block's first entry at or after the row.
    static std::size_t entryFor(const Block& block, int row);
    // The row's bytes, without the length prefix.
    std::string_view rowBytes(int row) const;
    static std::string_view bytesAt(const Block& block, std::uint32_t offset);
    // The row's length prefix and bytes together.
    static std::size_t rowExtent(const Block& block, std::uint32_t offset);
    // Copies the rows of to's entries, which point into from's buffer, into a new buffer of
    // to (at least capacity bytes), in row order. Returns the bytes copied.
    static std::size_t repack(Block& to, const Block& from, std::size_t capacity);
    // Repacks the block in place where memory allows; otherwise leaves it as it is.
    static void compact(Block& block, std::size_t capacity) noexcept;
    // Writes the cell at the end of the last block's buffer, where there is room, when the row
    // comes after every stored row, or is the last one and ends the buffer and holds only
    // cells of lower columns: how a preview fills its rows.
    bool appendToLastRow(int column, int row, std::string_view text);
    // Replaces the row's bytes; empty bytes remove the row. bytes never lie in a block.
    void assignRow(int row, std::string_view bytes);
    // Room for need more bytes at the end of the used part of the entry's block; may compact
    // or split the block, moving the entry, whose bytes are not yet written.
    Place makeRoom(Place at, std::size_t need);
    void removeEntry(Place at);
    void clearBlock(Block& block, int rowLimit, int columnLimit);

    std::vector<std::unique_ptr<Block>> blocks_; // in row order, none empty
    std::size_t rowCount_ = 0;
    std::string scratch_; // the next bytes of a row being rewritten
};
