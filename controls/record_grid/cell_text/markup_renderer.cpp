#include "controls/record_grid/cell_text/markup_renderer.h"

#include "controls/common/shipped_fonts.h"
#include "controls/common/tcolor.h"
#include "controls/record_grid/cell_text/ansi_text.h"
#include "runtime/integer_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace
{

struct Reference {
    std::string_view name;
    std::string_view replacement;
};

// Replaced throughout before the text is read; "&amp;" is handled apart.
constexpr std::array<Reference, 8> kWholeTextReferences = {{
    {"&quot;", "\""},
    {"&sect;", "\xA7"},
    {"&permil;", "\x89"},
    {"&reg;", "\xAE"},
    {"&copy;", "\xA9"},
    {"&para;", "\xB6"},
    {"&trade;", "\x99"},
    {"&euro;", "\x80"},
}};

constexpr std::array<Reference, 3> kRunReferences = {{
    {"&nbsp;", " "},
    {"&lt;", "<"},
    {"&gt;", ">"},
}};

constexpr int kMostPoints = 1000;

// Step 1 in one pass. Every replacement is shorter than its reference and only "&amp;" leaves
// an "&" that can start a new one, so re-reading from that "&" reaches what repeating the
// replacement until none is left would.
std::string replaceWholeTextReferences(std::string_view in)
{
    std::string s(in);
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '&') {
            const std::string_view rest = std::string_view(s).substr(i);
            if (rest.starts_with("&amp;")) {
                out += '&';
                i += 4;
                s[i] = '&';
                continue;
            }
            bool replaced = false;
            for (const Reference& r : kWholeTextReferences) {
                if (rest.starts_with(r.name)) {
                    out += r.replacement;
                    i += r.name.size();
                    replaced = true;
                    break;
                }
            }
            if (replaced)
                continue;
        }
        out += s[i++];
    }
    return out;
}

std::string replaceRunReferences(std::string_view run)
{
    std::string out;
    out.reserve(run.size());
    std::size_t i = 0;
    while (i < run.size()) {
        bool replaced = false;
        if (run[i] == '&') {
            for (const Reference& r : kRunReferences) {
                if (run.substr(i).starts_with(r.name)) {
                    out += r.replacement;
                    i += r.name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += run[i++];
    }
    return out;
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool equalsIgnoringCase(std::string_view a, std::string_view upperCase)
{
    if (a.size() != upperCase.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upperCase[i])
            return false;
    return true;
}

// The value of the attribute: between the first pair of double quotes after its name, the
// name standing as a word of its own (so COLOR is not found inside BGCOLOR).
std::optional<std::string_view> attribute(std::string_view tag, std::string_view upperName)
{
    for (std::size_t at = 0; at + upperName.size() <= tag.size(); ++at) {
        if (!equalsIgnoringCase(tag.substr(at, upperName.size()), upperName))
            continue;
        const std::size_t after = at + upperName.size();
        if ((at > 0 && isNameChar(tag[at - 1])) || (after < tag.size() && isNameChar(tag[after])))
            continue;
        const std::size_t open = tag.find('"', after);
        if (open == std::string_view::npos)
            return std::nullopt;
        const std::size_t close = tag.find('"', open + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        return tag.substr(open + 1, close - open - 1);
    }
    return std::nullopt;
}

std::optional<QColor> parseColor(std::string_view value, const QPalette& palette)
{
    if (!value.empty() && value.front() == '#') {
        if (value.size() != 7)
            return std::nullopt;
        int rgb[3];
        for (int k = 0; k < 3; ++k) {
            const int high = hexDigitValue(value[1 + 2 * k]);
            const int low = hexDigitValue(value[2 + 2 * k]);
            if (high < 0 || low < 0)
                return std::nullopt;
            rgb[k] = high * 16 + low;
        }
        return QColor(rgb[0], rgb[1], rgb[2]);
    }
    std::string name(value);
    for (char& c : name)
        c = lower(c);
    if (const auto color = colorFromName(name))
        return colorFromTColor(*color, palette);
    return std::nullopt;
}

// Points of a SIZE value, none when it is no whole number from 1 to the most allowed.
std::optional<int> parseSize(std::string_view value)
{
    while (!value.empty() && isSpace(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && isSpace(value.back()))
        value.remove_suffix(1);
    if (value.empty() || value.size() > 4)
        return std::nullopt;
    int n = 0;
    for (const char c : value) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    static constexpr int kHtmlSizes[] = {8, 10, 12, 14, 16};
    if (n >= 1 && n <= 5)
        return kHtmlSizes[n - 1];
    if (n < 1 || n > kMostPoints)
        return std::nullopt;
    return n;
}

class MarkupReader
{
public:
    MarkupReader(const CellTextContext& cell) : cell_(cell)
    {
        const QFont& f = cell.font.font();
        bold_ = f.bold();
        italic_ = f.italic();
        underline_ = f.underline();
        strikeOut_ = f.strikeOut();
    }

    StyledText read(std::string_view text)
    {
        const std::string s = replaceWholeTextReferences(text);
        std::size_t runStart = 0;
        std::size_t i = 0;
        while (i < s.size()) {
            if (s[i] != '<') {
                ++i;
                continue;
            }
            addRun(std::string_view(s).substr(runStart, i - runStart));
            const std::size_t close = s.find('>', i + 1);
            if (close == std::string::npos)
                return std::move(out_);
            tag(std::string_view(s).substr(i + 1, close - i - 1));
            i = close + 1;
            runStart = i;
        }
        addRun(std::string_view(s).substr(runStart));
        return std::move(out_);
    }

private:
    TextStyle style(bool ampersandUnderline) const
    {
        TextStyle st;
        st.font = cell_.font.font();
        if (!face_.isEmpty())
            st.font.setFamily(face_);
        if (points_)
            st.font.setPixelSize(pixelsOfPoints(*points_));
        st.font.setBold(bold_);
        st.font.setItalic(italic_);
        st.font.setUnderline(underline_ || link_ || ampersandUnderline);
        st.font.setStrikeOut(strikeOut_);
        st.color = link_ ? cell_.linkInk : color_.value_or(cell_.ink);
        st.background = background_.value_or(QColor());
        st.script = raised_    ? TextStyle::Script::Raised
                    : lowered_ ? TextStyle::Script::Lowered
                               : TextStyle::Script::Normal;
        return st;
    }

    void addRun(std::string_view raw)
    {
        if (raw.empty())
            return;
        const std::string run = replaceRunReferences(raw);
        std::string plain;
        const auto flush = [&] {
            out_.append(decodeAnsi(plain), style(false));
            plain.clear();
        };
        for (std::size_t i = 0; i < run.size(); ++i) {
            char c = run[i];
            if (c == '&') {
                if (i + 1 >= run.size())
                    break;
                c = run[++i];
                if (c != '&') {
                    flush();
                    const char shown = isSpace(c) ? ' ' : c;
                    out_.append(decodeAnsi(std::string_view(&shown, 1)), style(true));
                    continue;
                }
            }
            plain += isSpace(c) ? ' ' : c;
        }
        flush();
    }

    void tag(std::string_view content)
    {
        std::size_t i = 0;
        while (i < content.size() && isSpace(content[i]))
            ++i;
        const bool closing = i < content.size() && content[i] == '/';
        if (closing)
            ++i;
        const std::size_t nameStart = i;
        while (i < content.size() && isNameChar(content[i]))
            ++i;
        const std::string_view name = content.substr(nameStart, i - nameStart);
        const std::string_view rest = content.substr(i);
        const bool on = !closing;
        if (equalsIgnoringCase(name, "B"))
            bold_ = on;
        else if (equalsIgnoringCase(name, "I"))
            italic_ = on;
        else if (equalsIgnoringCase(name, "U"))
            underline_ = on;
        else if (equalsIgnoringCase(name, "S"))
            strikeOut_ = on;
        else if (equalsIgnoringCase(name, "SUB"))
            lowered_ = on;
        else if (equalsIgnoringCase(name, "SUP"))
            raised_ = on;
        else if (equalsIgnoringCase(name, "BR"))
            out_.breakLine();
        else if (equalsIgnoringCase(name, "A"))
            link_ = on && attribute(rest, "HREF").has_value();
        else if (equalsIgnoringCase(name, "FONT"))
            font(closing, rest);
    }

    void font(bool closing, std::string_view attributes)
    {
        if (closing) {
            face_.clear();
            points_.reset();
            color_.reset();
            background_.reset();
            return;
        }
        if (const auto face = attribute(attributes, "FACE"); face && !face->empty())
            face_ = decodeAnsi(*face);
        if (const auto size = attribute(attributes, "SIZE"))
            if (const auto points = parseSize(*size))
                points_ = points;
        if (const auto color = attribute(attributes, "COLOR"))
            if (const auto c = parseColor(*color, cell_.palette))
                color_ = c;
        if (const auto color = attribute(attributes, "BGCOLOR"))
            if (const auto c = parseColor(*color, cell_.palette))
                background_ = c;
    }

    const CellTextContext& cell_;
    StyledText out_;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    bool lowered_ = false;
    bool raised_ = false;
    bool link_ = false;
    QString face_;
    std::optional<int> points_;
    std::optional<QColor> color_;
    std::optional<QColor> background_;
};

} // namespace

StyledText MarkupRenderer::parse(std::string_view text, const CellTextContext& cell) const
{
    return MarkupReader(cell).read(text);
}

void MarkupRenderer::paint(QPainter& painter, const QRect& area, std::string_view text,
                           const CellTextContext& cell) const
{
    layout_.paint(painter, area, parse(text, cell), cell.font, cell.fonts);
}
