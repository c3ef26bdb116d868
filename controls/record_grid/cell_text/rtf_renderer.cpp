#include "controls/record_grid/cell_text/rtf_renderer.h"

#include "runtime/ansi_code_page.h"
#include "runtime/integer_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace
{

constexpr std::size_t kLongestControlWord = 32;
constexpr int kLongestParameter = 10; // digits
constexpr int kMostSkippedAfterUnicode = 16;

constexpr std::array<std::string_view, 30> kHiddenDestinations = {
    "fonttbl",    "colortbl",
    "stylesheet", "info",
    "pict",       "object",
    "header",     "headerl",
    "headerr",    "headerf",
    "footer",     "footerl",
    "footerr",    "footerf",
    "footnote",   "fldinst",
    "themedata",  "colorschememapping",
    "datastore",  "latentstyles",
    "listtable",  "listoverridetable",
    "rsidtbl",    "generator",
    "xmlnstbl",   "filetbl",
    "revtbl",     "pgdsctbl",
    "private",    "annotation",
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

class RtfReader
{
public:
    explicit RtfReader(const CellTextContext& cell) : cell_(cell)
    {
        const QFont& f = cell.font.font();
        plain_ = {f.bold(), f.italic(), f.underline(), f.strikeOut()};
        state_.format = plain_;
    }

    StyledText read(std::string_view t)
    {
        std::size_t i = 0;
        while (i < t.size()) {
            const char c = t[i];
            if (c == '{') {
                stack_.push_back(state_);
                groupStart_ = true;
                skipAfterUnicode_ = 0;
                ++i;
                continue;
            }
            if (c == '}') {
                if (!stack_.empty()) {
                    state_ = stack_.back();
                    stack_.pop_back();
                }
                groupStart_ = false;
                skipAfterUnicode_ = 0;
                ++i;
                continue;
            }
            const bool atGroupStart = groupStart_;
            groupStart_ = false;
            if (c == '\\') {
                i = control(t, i + 1, atGroupStart);
                continue;
            }
            if (c != '\r' && c != '\n')
                byte(c == '\t' ? ' ' : c);
            ++i;
        }
        return std::move(out_);
    }

private:
    struct Format {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
    };
    struct State {
        Format format;
        bool hidden = false;
        int skipCount = 1; // \uc
    };

    // Reads what follows a backslash at i; returns where the text goes on.
    std::size_t control(std::string_view t, std::size_t i, bool atGroupStart)
    {
        if (i >= t.size())
            return i;
        const char c = t[i];
        if (isLetter(c)) {
            const std::size_t start = i;
            while (i < t.size() && isLetter(t[i]))
                ++i;
            const std::string_view name = t.substr(start, std::min(i - start, kLongestControlWord));
            bool hasParameter = false;
            bool negative = false;
            std::int64_t value = 0;
            if (i < t.size() && t[i] == '-' && i + 1 < t.size() && isDigit(t[i + 1])) {
                negative = true;
                ++i;
            }
            int digits = 0;
            while (i < t.size() && isDigit(t[i])) {
                if (digits++ < kLongestParameter)
                    value = value * 10 + (t[i] - '0');
                hasParameter = true;
                ++i;
            }
            if (i < t.size() && t[i] == ' ')
                ++i;
            const int parameter = static_cast<int>(
                std::clamp<std::int64_t>(negative ? -value : value, INT32_MIN, INT32_MAX));
            word(name, hasParameter, parameter, atGroupStart);
            return i;
        }
        switch (c) {
        case '\'': {
            const int high = i + 1 < t.size() ? hexDigitValue(t[i + 1]) : -1;
            const int low = i + 2 < t.size() ? hexDigitValue(t[i + 2]) : -1;
            // A broken escape is dropped with what hex digits it has.
            if (high < 0)
                return i + 1;
            if (low < 0)
                return i + 2;
            byte(static_cast<char>(high * 16 + low));
            return i + 3;
        }
        case '\\':
        case '{':
        case '}':
            byte(c);
            break;
        case '~':
            character(u'\u00A0');
            break;
        case '_':
            character(u'-');
            break;
        case '*':
            if (atGroupStart)
                state_.hidden = true;
            break;
        case '\r':
        case '\n':
            lineBreak();
            break;
        default:
            break;
        }
        return i + 1;
    }

    void word(std::string_view name, bool hasParameter, int parameter, bool atGroupStart)
    {
        const bool on = !hasParameter || parameter != 0;
        Format& f = state_.format;
        if (name == "b")
            f.bold = on;
        else if (name == "i")
            f.italic = on;
        else if (name == "ul")
            f.underline = on;
        else if (name == "ulnone")
            f.underline = false;
        else if (name == "strike")
            f.strikeOut = on;
        else if (name == "plain")
            f = plain_;
        else if (name == "par" || name == "line")
            lineBreak();
        else if (name == "tab")
            character(u' ');
        else if (name == "emdash")
            character(u'\u2014');
        else if (name == "endash")
            character(u'\u2013');
        else if (name == "bullet")
            character(u'\u2022');
        else if (name == "lquote")
            character(u'\u2018');
        else if (name == "rquote")
            character(u'\u2019');
        else if (name == "ldblquote")
            character(u'\u201C');
        else if (name == "rdblquote")
            character(u'\u201D');
        else if (name == "uc")
            state_.skipCount = std::clamp(parameter, 0, kMostSkippedAfterUnicode);
        else if (name == "u" && hasParameter) {
            character(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
            skipAfterUnicode_ = state_.skipCount;
        } else if (atGroupStart && std::find(kHiddenDestinations.begin(), kHiddenDestinations.end(),
                                             name) != kHiddenDestinations.end())
            state_.hidden = true;
    }

    void byte(char b)
    {
        character(static_cast<char16_t>(ansiToUnicode(static_cast<std::uint8_t>(b))));
    }

    void character(char16_t ch)
    {
        if (skipAfterUnicode_ > 0) {
            --skipAfterUnicode_;
            return;
        }
        if (state_.hidden)
            return;
        TextStyle style;
        style.font = cell_.font.font();
        style.font.setBold(state_.format.bold);
        style.font.setItalic(state_.format.italic);
        style.font.setUnderline(state_.format.underline);
        style.font.setStrikeOut(state_.format.strikeOut);
        style.color = cell_.ink;
        out_.append(QString(QChar(ch)), style);
    }

    void lineBreak()
    {
        if (!state_.hidden)
            out_.breakLine();
    }

    const CellTextContext& cell_;
    StyledText out_;
    Format plain_;
    State state_;
    std::vector<State> stack_;
    bool groupStart_ = false;
    int skipAfterUnicode_ = 0;
};

} // namespace

StyledText RtfRenderer::parse(std::string_view text, const CellTextContext& cell) const
{
    return RtfReader(cell).read(text);
}

void RtfRenderer::paint(QPainter& painter, const QRect& area, std::string_view text,
                        const CellTextContext& cell) const
{
    layout_.paint(painter, area, parse(text, cell), cell.font, cell.fonts);
}
