#include "controls/button_edit/file_name_rules_p.h"

#include "runtime/find_first.h"
#include "runtime/system_file_names.h"

namespace
{

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::string firstCommandLineToken(std::string_view text)
{
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i + 1 < text.size() && text[i] == '"' && text[i + 1] == '"')
            i += 2;
        else
            break;
    }
    std::string token;
    while (i < text.size() && !isBlank(text[i])) {
        if (text[i] == '"') {
            ++i;
            while (i < text.size() && text[i] != '"')
                token += text[i++];
            if (i < text.size())
                ++i;
        } else {
            token += text[i++];
        }
    }
    return token;
}

std::string designatedFileName(const std::string& text)
{
    if (findFirstFindsFile(text))
        return text;
    return firstCommandLineToken(text);
}

bool isValidFileName(std::string_view name)
{
    return !name.empty() && name.find_first_of("<>\"[]|") == std::string_view::npos;
}

std::string quotedFileName(const std::string& name)
{
    if (name.find(' ') != std::string::npos && (name.empty() || name.front() != '"'))
        return '"' + name + '"';
    return name;
}

std::string folderPart(std::string_view name)
{
    const std::size_t slash = name.find_last_of(kFolderSeparators);
    return slash == std::string_view::npos ? std::string() : std::string(name.substr(0, slash + 1));
}

std::string namePart(std::string_view name)
{
    const std::size_t slash = name.find_last_of(kFolderSeparators);
    return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}
