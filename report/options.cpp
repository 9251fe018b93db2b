#include "options.h"

#include <stdexcept>

#include "clock_text.h"
#include "page_text.h"

namespace cj::report {

namespace {

// YYYY-MM-DD, the form no one reads two ways.
Day dayOfOption(const std::string& option, const std::string& text) {
    const std::optional<LocalTime> date =
        text.size() == 10 && text[4] == '-' && text[7] == '-'
            ? readDateText(text.substr(5, 2) + "-" + text.substr(8, 2) + "-" + text.substr(0, 4))
            : std::nullopt;
    if (!date) throw std::invalid_argument(option + " takes a day as YYYY-MM-DD, not \"" + text + "\"");
    return Day{std::chrono::year(date->year), std::chrono::month(static_cast<unsigned>(date->month)),
               std::chrono::day(static_cast<unsigned>(date->day))};
}

}  // namespace

NamedOption namedOption(const std::string& arg) {
    const std::size_t equals = arg.find('=');
    if (equals == std::string::npos) return {arg, std::nullopt};
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

std::string valueOf(const NamedOption& option, const std::vector<std::string>& args, std::size_t& i) {
    if (option.value) return *option.value;
    if (++i == args.size()) throw std::invalid_argument(option.name + " needs a value");
    return args[i];
}

Options readOptions(const std::vector<std::string>& args) {
    Options options;
    bool onlyInputs = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (onlyInputs || arg.empty() || arg[0] != '-' || arg == "-") {
            options.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyInputs = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        const NamedOption option = namedOption(arg);
        arg = option.name;
        if (arg != "--from" && arg != "--to" && arg != "--out" && arg != "--class")
            throw std::invalid_argument("unknown option " + arg);
        const std::string value = valueOf(option, args, i);
        if (arg == "--from") options.period.from = dayOfOption(arg, value);
        if (arg == "--to") options.period.to = dayOfOption(arg, value);
        if (arg == "--out") options.out = value;
        if (arg == "--class") options.classList = value;
    }
    if (options.period.from && options.period.to && *options.period.from > *options.period.to)
        throw std::invalid_argument("--from " + yearFirst(*options.period.from) + " comes after --to " +
                                    yearFirst(*options.period.to));
    if (!options.help && options.inputs.empty()) throw std::invalid_argument("no folder or file to read");
    return options;
}

int wrongCommandLine(std::ostream& err, const std::invalid_argument& wrong) {
    err << "classjournal-report: " << wrong.what() << "\nTry classjournal-report --help.\n";
    return kWrongCommandLine;
}

}  // namespace cj::report
