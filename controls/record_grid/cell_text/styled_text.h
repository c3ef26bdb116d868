#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <vector>

// The look of a stretch of mark-up or rich text: the font (face, size, bold, italic, underline,
// strike-out), the text colour, and a background filled behind the letters where one is given.
struct TextStyle {
    enum class Script { Normal, Lowered, Raised };

    QFont font;
    QColor color;
    QColor background; // invalid: the letters are drawn over what is there
    Script script = Script::Normal;

    bool operator==(const TextStyle&) const = default;
};

// Text in runs of one style each, with line breaks between runs. Spaces are where lines may
// break; every other character belongs to a word, also across runs of different styles.
class StyledText
{
public:
    struct Run {
        QString text;
        TextStyle style;
        bool lineBreak = false; // a line break, no text
        bool operator==(const Run&) const = default;
    };

    // Adds text in the style; joins the last run when that has the same style.
    void append(const QString& text, const TextStyle& style);
    void breakLine();

    const std::vector<Run>& runs() const { return runs_; }
    // The characters with "\n" for every line break.
    QString plainText() const;

    bool operator==(const StyledText&) const = default;

private:
    std::vector<Run> runs_;
};
