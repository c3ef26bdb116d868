// The file-name field's text rules: the first command-line token is a stretch of the text with
// its quote characters dropped, and, for a text free of quotes, exactly its first run of
// non-blank characters; a valid name quoted by the field's rule reads back as itself; the
// folder and name parts put together give the name again.

#include "controls/button_edit/file_name_rules_p.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>

namespace
{

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string withoutQuotes(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzzText(data, size);

    const std::string token = firstCommandLineToken(text);
    FUZZ_CHECK(token.find('"') == std::string::npos);
    FUZZ_CHECK(withoutQuotes(text).find(token) != std::string::npos);
    if (text.find('"') == std::string::npos) {
        const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
        FUZZ_CHECK(token == std::string(first, std::find_if(first, text.end(), isBlank)));
    }

    // What the browse writes into the field, FileName gives back: any valid name whose only
    // blank is the space.
    if (isValidFileName(text) &&
        std::none_of(text.begin(), text.end(), [](char c) { return isBlank(c) && c != ' '; }))
        FUZZ_CHECK(firstCommandLineToken(quotedFileName(text)) == text);

    const std::string name = namePart(text);
    FUZZ_CHECK(folderPart(text) + name == text);
    FUZZ_CHECK(name.find('/') == std::string::npos);
    return 0;
}
