#include "controls/record_grid/record_grid_texts_p.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace
{

constexpr std::size_t kFirstBlockBytes = 256;
constexpr std::uint32_t kNoOffset = UINT32_MAX; // a row whose bytes are being placed

std::size_t varintSize(std::uint64_t v)
{
    std::size_t n = 1;
    while (v >= 0x80) {
        v >>= 7;
        ++n;
    }
    return n;
}

char* putVarint(char* out, std::uint64_t v)
{
    while (v >= 0x80) {
        *out++ = static_cast<char>((v & 0x7F) | 0x80);
        v >>= 7;
    }
    *out++ = static_cast<char>(v);
    return out;
}

void appendVarint(std::string& out, std::uint64_t v)
{
    char buffer[10];
    out.append(buffer, putVarint(buffer, v));
}

std::uint64_t getVarint(const char* s, std::size_t size, std::size_t& i)
{
    std::uint64_t v = 0;
    int shift = 0;
    while (i < size) {
        const auto b = static_cast<unsigned char>(s[i++]);
        v |= std::uint64_t(b & 0x7F) << shift;
        if ((b & 0x80) == 0)
            break;
        shift += 7;
    }
    return v;
}

// One packed cell of a row: column, length, the text's bytes.
struct Cell {
    int column;
    std::size_t begin; // of the whole cell in the row's bytes
    std::size_t text;  // of the text
    std::size_t length;
    std::size_t end() const { return text + length; }
};

// Calls f for each cell of the row in column order while it returns true.
template <typename F> void forEachCell(std::string_view row, F&& f)
{
    std::size_t i = 0;
    while (i < row.size()) {
        Cell c{};
        c.begin = i;
        c.column = static_cast<int>(getVarint(row.data(), row.size(), i));
        c.length = getVarint(row.data(), row.size(), i);
        c.text = i;
        i = c.end();
        if (!f(c))
            return;
    }
}

} // namespace

struct RecordGridTexts::Block {
    std::vector<Entry> entries; // by row
    std::unique_ptr<char[]> data;
    std::size_t used = 0;
    std::size_t capacity = 0;
    std::size_t garbage = 0; // bytes of the used part that no entry points at

    int firstRow() const { return entries.front().row; }
};

RecordGridTexts::RecordGridTexts() = default;
RecordGridTexts::~RecordGridTexts() = default;

std::size_t RecordGridTexts::blockFor(int row) const
{
    if (row >= blocks_.back()->firstRow())
        return blocks_.size() - 1;
    const auto after = std::upper_bound(
        blocks_.begin(), blocks_.end(), row,
        [](int r, const std::unique_ptr<Block>& block) { return r < block->firstRow(); });
    return after == blocks_.begin() ? 0 : std::size_t(after - blocks_.begin()) - 1;
}

std::string_view RecordGridTexts::bytesAt(const Block& block, std::uint32_t offset)
{
    std::size_t i = offset;
    const std::size_t length = getVarint(block.data.get(), block.used, i);
    return {block.data.get() + i, length};
}

std::size_t RecordGridTexts::entryFor(const Block& block, int row)
{
    // The preview asks for the block's last row, or one after it, nearly every time.
    if (block.entries.empty() || row > block.entries.back().row)
        return block.entries.size();
    if (row == block.entries.back().row)
        return block.entries.size() - 1;
    return std::size_t(std::lower_bound(block.entries.begin(), block.entries.end(), row,
                                        [](const Entry& e, int r) { return e.row < r; }) -
                       block.entries.begin());
}

std::string_view RecordGridTexts::rowBytes(int row) const
{
    if (blocks_.empty())
        return {};
    const Block& block = *blocks_[blockFor(row)];
    const std::size_t entry = entryFor(block, row);
    if (entry == block.entries.size() || block.entries[entry].row != row)
        return {};
    return bytesAt(block, block.entries[entry].offset);
}

std::string_view RecordGridTexts::text(int column, int row) const
{
    const std::string_view bytes = rowBytes(row);
    std::string_view found;
    forEachCell(bytes, [&](const Cell& c) {
        if (c.column == column)
            found = bytes.substr(c.text, c.length);
        return c.column < column;
    });
    return found;
}

void RecordGridTexts::setText(int column, int row, std::string_view text)
{
    try {
        writeText(column, row, text);
    } catch (const std::bad_alloc&) {
        // Nothing half-placed stays behind: the row goes, and a block left without rows.
        eraseRow(row);
        std::erase_if(blocks_, [](const std::unique_ptr<Block>& b) { return b->entries.empty(); });
        throw;
    }
}

void RecordGridTexts::writeText(int column, int row, std::string_view text)
{
    if (appendToLastRow(column, row, text))
        return;
    const std::string_view old = rowBytes(row);
    std::size_t insertAt = old.size();
    std::size_t eraseEnd = old.size();
    forEachCell(old, [&](const Cell& c) {
        if (c.column < column)
            return true;
        insertAt = c.begin;
        eraseEnd = c.column == column ? c.end() : c.begin;
        return false;
    });
    if (text.empty() && insertAt == eraseEnd)
        return; // a blank cell blanked again
    scratch_.assign(old.substr(0, insertAt));
    if (!text.empty()) {
        appendVarint(scratch_, static_cast<std::uint64_t>(column));
        appendVarint(scratch_, text.size());
        scratch_.append(text);
    }
    scratch_.append(old.substr(eraseEnd));
    assignRow(row, scratch_);
}

bool RecordGridTexts::appendToLastRow(int column, int row, std::string_view text)
{
    if (blocks_.empty() || text.empty())
        return false;
    Block& block = *blocks_.back();
    const Entry& last = block.entries.back();
    const std::size_t cell =
        varintSize(std::uint64_t(column)) + varintSize(text.size()) + text.size();
    char* out = nullptr;
    if (row > last.row) {
        // A row after every other: its first cell starts it at the end of the buffer.
        const std::size_t prefix = varintSize(cell);
        if (block.used + prefix + cell > block.capacity)
            return false;
        block.entries.push_back(Entry{row, static_cast<std::uint32_t>(block.used)});
        ++rowCount_;
        out = putVarint(block.data.get() + block.used, cell);
    } else if (row == last.row) {
        char* const start = block.data.get() + last.offset;
        std::size_t i = last.offset;
        const std::size_t length = getVarint(block.data.get(), block.used, i);
        const std::size_t prefix = i - last.offset;
        if (i + length != block.used)
            return false; // the row does not end the buffer
        int lastColumn = -1;
        forEachCell({start + prefix, length}, [&](const Cell& c) {
            lastColumn = c.column;
            return true;
        });
        if (lastColumn >= column)
            return false;
        const std::size_t newPrefix = varintSize(length + cell);
        if (block.used + cell + newPrefix - prefix > block.capacity)
            return false;
        if (newPrefix != prefix)
            std::memmove(start + newPrefix, start + prefix, length);
        putVarint(start, length + cell);
        out = start + newPrefix + length;
    } else {
        return false;
    }
    out = putVarint(out, std::uint64_t(column));
    out = putVarint(out, text.size());
    std::memcpy(out, text.data(), text.size());
    block.used = std::size_t(out + text.size() - block.data.get());
    return true;
}

void RecordGridTexts::eraseRow(int row)
{
    assignRow(row, {});
}

void RecordGridTexts::assignRow(int row, std::string_view bytes)
{
    if (blocks_.empty()) {
        if (bytes.empty())
            return;
        blocks_.push_back(std::make_unique<Block>());
    }
    const std::size_t blockIndex = blocks_[0]->entries.empty() ? 0 : blockFor(row);
    Block& block = *blocks_[blockIndex];
    const std::size_t entryIndex = entryFor(block, row);
    const auto it = block.entries.begin() + std::ptrdiff_t(entryIndex);
    if (it != block.entries.end() && it->row == row) {
        if (it->offset != kNoOffset) { // else a row whose placing ran out of memory
            const std::string_view old = bytesAt(block, it->offset);
            const std::size_t oldEnd = std::size_t(old.data() + old.size() - block.data.get());
            if (oldEnd == block.used)
                block.used = it->offset; // the row written last: rewritten where it stands
            else
                block.garbage += oldEnd - it->offset;
        }
        if (bytes.empty()) {
            removeEntry({blockIndex, entryIndex});
            return;
        }
        it->offset = kNoOffset;
    } else {
        if (bytes.empty())
            return;
        block.entries.insert(it, Entry{row, kNoOffset});
        ++rowCount_;
    }
    const std::size_t need = varintSize(bytes.size()) + bytes.size();
    const Place at = makeRoom({blockIndex, entryIndex}, need);
    Block& target = *blocks_[at.block];
    char* out = putVarint(target.data.get() + target.used, bytes.size());
    std::memcpy(out, bytes.data(), bytes.size());
    target.entries[at.entry].offset = static_cast<std::uint32_t>(target.used);
    target.used += need;
}

RecordGridTexts::Place RecordGridTexts::makeRoom(Place at, std::size_t need)
{
    Block& block = *blocks_[at.block];
    if (block.used + need <= block.capacity)
        return at;
    const std::size_t live = block.used - block.garbage;
    if (live + need <= kBlockBytes || block.entries.size() == 1) {
        // Grows by doubling up to a full block; a single long row gets just what it needs.
        std::size_t capacity = std::max(block.capacity, kFirstBlockBytes);
        while (capacity < live + need && capacity < kBlockBytes)
            capacity *= 2;
        repack(block, block, std::max(capacity, live + need));
        return at;
    }
    // Full: split. A row added after the last one starts a block of its own and leaves the full
    // block as it stands; elsewhere the block is halved. The new block is had whole before the
    // full one changes, so memory running out leaves both as they were.
    const std::size_t count = block.entries.size();
    const std::size_t middle = at.entry == count - 1 ? count - 1 : count / 2;
    auto fresh = std::make_unique<Block>();
    fresh->entries.assign(block.entries.begin() + std::ptrdiff_t(middle), block.entries.end());
    const std::size_t moved = repack(*fresh, block, kBlockBytes);
    blocks_.insert(blocks_.begin() + std::ptrdiff_t(at.block) + 1, std::move(fresh));
    block.entries.resize(middle);
    block.entries.shrink_to_fit();
    block.garbage += moved;
    if (moved > 0)
        compact(block, std::min(block.capacity, kBlockBytes));
    if (at.entry >= middle)
        at = {at.block + 1, at.entry - middle};
    return makeRoom(at, need);
}

std::size_t RecordGridTexts::repack(Block& to, const Block& from, std::size_t capacity)
{
    std::size_t bytes = 0;
    for (const Entry& e : to.entries)
        if (e.offset != kNoOffset)
            bytes += rowExtent(from, e.offset);
    capacity = std::max(capacity, bytes);
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t used = 0;
    for (Entry& e : to.entries) {
        if (e.offset == kNoOffset)
            continue;
        const std::size_t extent = rowExtent(from, e.offset);
        std::memcpy(data.get() + used, from.data.get() + e.offset, extent);
        e.offset = static_cast<std::uint32_t>(used);
        used += extent;
    }
    to.data = std::move(data);
    to.capacity = capacity;
    to.used = used;
    to.garbage = 0;
    return bytes;
}

void RecordGridTexts::compact(Block& block, std::size_t capacity) noexcept
{
    try {
        repack(block, block, capacity);
    } catch (const std::bad_alloc&) {
        // Compacting only tidies: without memory for it the unused bytes wait.
    }
}

std::size_t RecordGridTexts::rowExtent(const Block& block, std::uint32_t offset)
{
    const std::string_view bytes = bytesAt(block, offset);
    return std::size_t(bytes.data() + bytes.size() - block.data.get()) - offset;
}

void RecordGridTexts::removeEntry(Place at)
{
    Block& block = *blocks_[at.block];
    block.entries.erase(block.entries.begin() + std::ptrdiff_t(at.entry));
    --rowCount_;
    if (block.entries.empty())
        blocks_.erase(blocks_.begin() + std::ptrdiff_t(at.block));
    else if (block.garbage > block.capacity / 2)
        compact(block, block.used - block.garbage);
}

std::size_t RecordGridTexts::clearBelow(int rowLimit, int columnLimit)
{
    std::size_t freed = 0;
    std::size_t kept = 0;
    std::size_t next = 0;
    for (; next < blocks_.size() && blocks_[next]->firstRow() < rowLimit; ++next) {
        Block& block = *blocks_[next];
        const std::size_t before = block.capacity + block.entries.capacity() * sizeof(Entry);
        clearBlock(block, rowLimit, columnLimit);
        if (block.entries.empty()) {
            freed += before;
            continue;
        }
        if (block.garbage > block.capacity / 2) {
            block.entries.shrink_to_fit();
            compact(block, block.used - block.garbage);
        }
        freed += before - (block.capacity + block.entries.capacity() * sizeof(Entry));
        blocks_[kept++] = std::move(blocks_[next]);
    }
    blocks_.erase(blocks_.begin() + std::ptrdiff_t(kept), blocks_.begin() + std::ptrdiff_t(next));
    if (blocks_.empty())
        blocks_.shrink_to_fit();
    return freed;
}

void RecordGridTexts::clearBlock(Block& block, int rowLimit, int columnLimit)
{
    char* const base = block.data.get();
    std::size_t kept = 0;
    for (Entry& e : block.entries) {
        if (e.row >= rowLimit) {
            block.entries[kept++] = e;
            continue;
        }
        const std::string_view bytes = bytesAt(block, e.offset);
        const std::size_t extent = rowExtent(block, e.offset);
        // Cells are in column order: those kept are the row's tail.
        std::size_t tail = bytes.size();
        forEachCell(bytes, [&](const Cell& c) {
            if (c.column < columnLimit)
                return true;
            tail = c.begin;
            return false;
        });
        const std::size_t keepBytes = bytes.size() - tail;
        std::size_t newExtent = 0;
        if (keepBytes > 0) {
            char* out = putVarint(base + e.offset, keepBytes);
            std::memmove(out, bytes.data() + tail, keepBytes);
            newExtent = std::size_t(out - (base + e.offset)) + keepBytes;
            block.entries[kept++] = e;
        } else {
            --rowCount_;
        }
        if (e.offset + extent == block.used)
            block.used = e.offset + newExtent;
        else
            block.garbage += extent - newExtent;
    }
    block.entries.resize(kept);
}
