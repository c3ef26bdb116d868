#include "companion.h"

#include "exceptions.h"
#include "figures_text.h"
#include "integer_text.h"
#include "repair_inputs.h"
#include "stock_record.h"
#include "writer.h"

#include <ostream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace companion
{
namespace
{

constexpr const char* kUsage = "Usage: naprawa-cli inspect [--json] STOCK...\n"
                               "       naprawa-cli repair [--count N] [--force] STOCK OUTPUT\n"
                               "       naprawa-cli --help | --version\n";

constexpr const char* kHelp =
    "\n"
    "Checks and repairs stock files: flat files of 463-byte records whose good records\n"
    "may be followed by garbage. Both commands take the records the window takes.\n"
    "\n"
    "  inspect   For each STOCK file: its size, whole records, the bytes of a torn tail,\n"
    "            the blank-name records, how many records the intelligent scan takes and\n"
    "            why it stops, and the largest count the counted scan can take.\n"
    "            Writes nothing. --json prints one JSON object per file, one per line.\n"
    "  repair    Copies the records the scan takes from STOCK into OUTPUT, byte for byte:\n"
    "            the intelligent scan (to the end of the file, or up to and including the\n"
    "            third blank-name record), or exactly N records with --count N (N as the\n"
    "            window's count field reads it: 25, +25, $19). An existing OUTPUT is\n"
    "            replaced only with --force. Prints what it wrote.\n"
    "\n"
    "  --help      this text\n"
    "  --version   the version\n"
    "\n"
    "Exit codes: 0 done; 1 an I/O or conversion error (its message on standard error,\n"
    "as the window shows it); 2 bad usage, an existing OUTPUT without --force included.\n";

struct CommandLine {
    std::vector<std::string> files;
    bool json = false;
    bool force = false;
    bool counted = false;
    std::string count;
};

int badUsage(std::ostream& err, const std::string& problem)
{
    err << "naprawa-cli: " << problem << "\n" << kUsage;
    return kBadUsage;
}

// Options and files after the command; "--" ends the options. Returns an empty text, or what
// is wrong with the line.
std::string parse(const std::vector<std::string>& args, CommandLine& line)
{
    bool options = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            line.files.push_back(arg);
        } else if (arg == "--") {
            options = false;
        } else if (arg == "--json") {
            line.json = true;
        } else if (arg == "--force") {
            line.force = true;
        } else if (arg == "--count" || arg.compare(0, 8, "--count=") == 0) {
            if (arg == "--count" && i + 1 == args.size())
                return "--count needs a number";
            line.counted = true;
            line.count = arg == "--count" ? args[++i] : arg.substr(8);
        } else {
            return "unknown option " + arg;
        }
    }
    return {};
}

int inspect(const CommandLine& line, std::ostream& out, std::ostream& err, OsFileApi& os)
{
    int result = kDone;
    for (const std::string& name : line.files) {
        const std::string shown = displayName(name);
        try {
            const StockFigures figures = inspectStockFile(name, os);
            out << (line.json ? figuresJson(shown, figures) + "\n" : figuresText(shown, figures));
        } catch (const std::exception& e) {
            const auto* io = dynamic_cast<const EInOutError*>(&e);
            if (line.json)
                out << figuresErrorJson(shown, io ? io->code() : 0, displayedMessage(e)) << "\n";
            err << shown << ": " << displayedMessage(e) << "\n";
            result = kFailed;
        }
    }
    return result;
}

int repair(const CommandLine& line, std::ostream& out, std::ostream& err, OsFileApi& os)
{
    const std::string& stock = line.files[0];
    const std::string& output = line.files[1];
    try {
        // The writer converts the count only after the output exists; a script's typo must not
        // cost an existing file, so the same rule is asked first.
        if (line.counted)
            strToInt(line.count);
        if (!line.force && os.identity(output))
            return badUsage(err, displayName(output) + " exists; --force replaces it");
        const std::uint64_t records = writeRepairedFile(
            FixedRepairInputs(stock, line.counted ? ScanMethod::Counted : ScanMethod::Intelligent,
                              line.count),
            output, os);
        out << records << (records == 1 ? " record, " : " records, ") << records * kStockRecordSize
            << " bytes → " << displayName(output) << "\n";
        return kDone;
    } catch (const std::exception& e) {
        err << displayedMessage(e) << "\n";
        return kFailed;
    }
}

} // namespace

std::string displayName(const std::string& name)
{
#ifdef _WIN32
    const int wide =
        ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), text.data(), wide);
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
#else
    return name;
#endif
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, OsFileApi& os)
{
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage << kHelp;
        return kDone;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "naprawa-cli " << NAPRAWA_VERSION << "\n";
        return kDone;
    }
    if (args.empty())
        return badUsage(err, "no command");
    const std::string& command = args[0];
    if (command != "inspect" && command != "repair")
        return badUsage(err, "unknown command " + command);

    CommandLine line;
    if (const std::string problem = parse(args, line); !problem.empty())
        return badUsage(err, problem);
    if (command == "inspect") {
        if (line.force || line.counted)
            return badUsage(err, "inspect takes no --force or --count");
        if (line.files.empty())
            return badUsage(err, "inspect needs at least one STOCK file");
        return inspect(line, out, err, os);
    }
    if (line.json)
        return badUsage(err, "repair takes no --json");
    if (line.files.size() != 2)
        return badUsage(err, "repair needs a STOCK and an OUTPUT file");
    return repair(line, out, err, os);
}

} // namespace companion
