// stockgen: writes a sample stock file of whole records, optional blank-name records and an
// optional incomplete tail, reproducible from a seed.

#include "tools/stock_sample.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace
{

constexpr int kSuccess = 0;
constexpr int kFailure = 2;

constexpr const char* kUsage =
    "Usage: stockgen --records N [--blank LIST] [--tail BYTES] [--seed S] OUTPUT\n"
    "\n"
    "Writes a sample stock file OUTPUT: N records of 463 bytes with Polish product texts\n"
    "(Windows-1250) in the five text fields and random bytes elsewhere.\n"
    "\n"
    "  --records N     number of whole records (required)\n"
    "  --blank LIST    1-based record numbers whose text field 1 is blank, e.g. 2,5,7\n"
    "  --tail BYTES    random bytes after the last record, an incomplete record (0 to 462)\n"
    "  --seed S        seed of the random bytes and texts (default 1); the same seed gives\n"
    "                  the same file\n"
    "  --help          show this text\n"
    "\n"
    "Exit status: 0 when the file is written, 2 on a bad argument or a failed write.\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::uint64_t parseNumber(std::string_view option, std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        throw UsageError(std::string(option) + ": '" + std::string(text) + "' is too large");
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw UsageError(std::string(option) + ": '" + std::string(text) +
                         "' is not a whole number");
    return value;
}

std::vector<std::uint64_t> parsePositions(std::string_view text)
{
    std::vector<std::uint64_t> positions;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma - start);
        if (item.empty())
            throw UsageError("--blank: '" + std::string(text) +
                             "' is not a comma-separated list of record numbers");
        positions.push_back(parseNumber("--blank", item));
        if (comma == std::string_view::npos)
            return positions;
        start = comma + 1;
    }
}

struct Arguments {
    bool help = false;
    SampleOptions options;
    std::string output;
};

Arguments parseArguments(int argc, char** argv)
{
    Arguments args;
    bool haveRecords = false;
    bool haveOutput = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            args.help = true;
            return args;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            // "--name value" or "--name=value".
            std::string_view name = arg;
            std::optional<std::string_view> value;
            if (const auto equals = arg.find('='); equals != std::string_view::npos) {
                name = arg.substr(0, equals);
                value = arg.substr(equals + 1);
            }
            if (name != "--records" && name != "--blank" && name != "--tail" && name != "--seed")
                throw UsageError("unknown option '" + std::string(arg) + "'");
            if (!value) {
                if (i + 1 >= argc)
                    throw UsageError(std::string(name) + " needs a value");
                value = argv[++i];
            }
            if (name == "--records") {
                args.options.records = parseNumber(name, *value);
                haveRecords = true;
            } else if (name == "--blank") {
                args.options.blankPositions = parsePositions(*value);
            } else if (name == "--tail") {
                args.options.tailBytes = parseNumber(name, *value);
            } else {
                args.options.seed = parseNumber(name, *value);
            }
            continue;
        }
        if (haveOutput)
            throw UsageError("more than one output file: '" + args.output + "' and '" +
                             std::string(arg) + "'");
        args.output = arg;
        haveOutput = true;
    }
    if (!haveRecords)
        throw UsageError("--records is required");
    if (!haveOutput)
        throw UsageError("no output file given");
    try {
        validateSampleOptions(args.options);
    } catch (const std::invalid_argument& e) {
        throw UsageError(e.what());
    }
    return args;
}

} // namespace

int main(int argc, char** argv)
{
    Arguments args;
    try {
        args = parseArguments(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "stockgen: %s\nTry 'stockgen --help'.\n", e.what());
        return kFailure;
    }
    if (args.help) {
        std::fputs(kUsage, stdout);
        return kSuccess;
    }
    try {
        writeSampleFile(args.output, args.options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stockgen: %s\n", e.what());
        return kFailure;
    }
    std::printf("%s: %llu records, %zu tail bytes, %llu bytes\n", args.output.c_str(),
                static_cast<unsigned long long>(args.options.records), args.options.tailBytes,
                static_cast<unsigned long long>(sampleFileSize(args.options)));
    return kSuccess;
}
