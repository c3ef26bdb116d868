#include "cli/companion.h"

#include "cli/figures_text.h"
#include "cli/repair.h"
#include "cli/replacement_file.h"
#include "cli/stock_figures.h"
#include "runtime/integer_text.h"
#include "runtime/system_file_names.h"
#include "stock/stock_record.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <ostream>

namespace companion
{
namespace
{

constexpr const char* kProgram = "naprawa-cli";

constexpr const char* kAbout =
    "Checks and repairs stock files: flat files of 463-byte records whose good records may be\n"
    "followed by garbage. Both commands take the records the window takes.";

constexpr const char* kFooter =
    "Exit codes: 0 done; 1 an I/O or conversion error (its message on standard error, as the\n"
    "window shows it, after the program's and the file's name); 2 bad usage, an existing\n"
    "OUTPUT without --force included. 'naprawa-cli COMMAND --help' tells a command's options.";

// A name the system's narrow calls cannot reach (Windows: a character outside the ANSI code
// page). Said and refused, never mapped to a look-alike: best fit reads "zolw" for "żółw",
// another file.
constexpr const char* kNameOutsideCodePage =
    "The system's ANSI code page cannot represent this name";

struct CommandLine {
    std::vector<std::string> files; // inspect's STOCK files, or repair's STOCK and OUTPUT
    std::string stock, output;
    bool json = false;
    bool force = false;
    std::string count;
    bool counted = false;
};

int badUsage(std::ostream& err, const std::string& problem)
{
    err << kProgram << ": " << problem << "\nTry '" << kProgram << " --help'.\n";
    return kBadUsage;
}

void fileError(std::ostream& err, const std::string& file, const std::exception& e)
{
    err << kProgram << ": " << shownName(file) << ": " << displayedMessage(e) << "\n";
}

// What is wrong with the names before any file is touched, or an empty text.
std::string unusableName(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        // An unset variable in a script gives "": it names no file.
        if (name.empty())
            return "an empty file name";
        if (name == "-")
            return "'-': standard input and output are not stock files; name a file (./- for "
                   "one called -)";
    }
    return {};
}

bool reachable(const std::vector<std::string>& names, std::ostream& err)
{
    for (const std::string& name : names)
        if (!systemCanName(name)) {
            fileError(err, name, Exception(kNameOutsideCodePage));
            return false;
        }
    return true;
}

int inspect(const CommandLine& line, std::ostream& out, std::ostream& err, OsFileApi& os)
{
    int result = kDone;
    for (const std::string& name : line.files) {
        try {
            if (!systemCanName(name))
                throw Exception(kNameOutsideCodePage);
            const StockFigures figures = inspectStockFile(name, os);
            out << (line.json ? figuresJson(name, figures) + "\n" : figuresText(name, figures));
        } catch (const std::exception& e) {
            const auto* io = dynamic_cast<const EInOutError*>(&e);
            if (line.json)
                out << figuresErrorJson(name, io ? io->code() : 0, displayedMessage(e)) << "\n";
            fileError(err, name, e);
            result = kFailed;
        }
    }
    return result;
}

int repair(const CommandLine& line, std::ostream& out, std::ostream& err, OsFileApi& os)
{
    const std::string& output = line.files[1];
    RepairRequest request{line.files[0], output, std::nullopt, line.force};
    if (!reachable(line.files, err))
        return kFailed;
    switch (nameHolder(output)) {
    case NameHolder::Folder:
        return badUsage(err, shownName(output) + " is a folder; OUTPUT names the file to write");
    case NameHolder::Other:
        if (!line.force)
            return badUsage(err, shownName(output) + " exists; --force replaces it");
        break;
    case NameHolder::Nothing:
        break;
    }
    try {
        // Converted before anything is opened: a typo in a script costs no file.
        if (line.counted)
            request.count = strToInt(line.count);
        const std::uint64_t records = repairStockFile(request, os);
        out << records << (records == 1 ? " record, " : " records, ") << records * kStockRecordSize
            << " bytes → " << shownName(output) << "\n";
        return kDone;
    } catch (const OutputExists&) {
        return badUsage(err, shownName(output) + " exists; --force replaces it");
    } catch (const FileFailure& e) {
        fileError(err, e.file(), e);
    } catch (const std::exception& e) {
        err << kProgram << ": " << displayedMessage(e) << "\n";
    }
    return kFailed;
}

} // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, OsFileApi& os)
{
    CLI::App app(kAbout, kProgram);
    app.set_version_flag("-V,--version", std::string(kProgram) + " " + NAPRAWA_VERSION,
                         "Print the version and exit");
    app.require_subcommand(1, 1);
    // -h and -V after a command too.
    app.fallthrough();
    app.footer(kFooter);

    CommandLine line;
    CLI::App* inspectCommand =
        app.add_subcommand("inspect", "Tell each stock file's figures; writes nothing");
    inspectCommand->footer(
        std::string("For each STOCK file: its size, whole records, the bytes of a torn tail, the\n"
                    "blank-name records, how many records the intelligent scan takes and why it\n"
                    "stops, and the largest count the counted scan can take.\n\n") +
        kFooter);
    inspectCommand->add_flag("--json", line.json, "One JSON object per file, one per line");
    inspectCommand->add_option("STOCK", line.files, "Stock files")->required()->type_name("");

    CLI::App* repairCommand =
        app.add_subcommand("repair", "Copy the records the scan takes from STOCK into OUTPUT");
    repairCommand->footer(
        std::string("Copies byte for byte the records of the intelligent scan (to the end of the\n"
                    "file, or up to and including the third blank-name record), or exactly N\n"
                    "records. OUTPUT appears only once complete, with the permission bits of\n"
                    "STOCK; on any failure an existing OUTPUT stays as it was.\n\n") +
        kFooter);
    repairCommand
        ->add_option("--count", line.count,
                     "Exactly N records, N as the window's count field reads it: 25, +25, $19")
        ->type_name("N");
    repairCommand->add_flag("-f,--force", line.force, "Replace an existing OUTPUT");
    repairCommand->add_option("STOCK", line.stock, "The stock file")->required()->type_name("");
    repairCommand->add_option("OUTPUT", line.output, "The repaired file to write")
        ->required()
        ->type_name("");

    try {
        app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::Success& e) {
        return app.exit(e, out, err); // --help, --version
    } catch (const CLI::ParseError& e) {
        return badUsage(err, shownName(e.what()));
    }
    if (repairCommand->parsed()) {
        line.files = {line.stock, line.output};
        line.counted = repairCommand->count("--count") > 0;
    }
    if (const std::string problem = unusableName(line.files); !problem.empty())
        return badUsage(err, problem);
    return inspectCommand->parsed() ? inspect(line, out, err, os) : repair(line, out, err, os);
}

int closeOutput(std::FILE* stream, std::ostream& err, int code)
{
    errno = 0;
    const bool written = std::fflush(stream) == 0 && !std::ferror(stream);
    int error = errno;
    const bool closed = std::fclose(stream) == 0;
    if (written && closed)
        return code;
    if (error == 0)
        error = errno;
    err << kProgram << ": write error" << (error != 0 ? ": " : "")
        << (error != 0 ? std::strerror(error) : "") << "\n";
    return kFailed;
}

} // namespace companion
