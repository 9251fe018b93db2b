#include "live_program.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <thread>

#include "live_page.h"
#include "live_server.h"
#include "live_system.h"
#include "live_watch.h"
#include "options.h"
#include "path_text.h"

namespace cj::report {

namespace {

constexpr int kEnded = 0, kNoPort = 1;

struct LiveOptions {
    std::string file;  // UTF-8
    int port = 0;      // any free one
    bool browser = true;
};

LiveOptions readLiveOptions(const std::vector<std::string>& args) {
    LiveOptions options;
    bool hasFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (arg == "--no-browser") {
            options.browser = false;
            continue;
        }
        const NamedOption option = namedOption(arg);
        arg = option.name;
        if (arg != "--live" && arg != "--port") throw std::invalid_argument("--live does not go with " + args[i]);
        const std::string value = valueOf(option, args, i);
        if (arg == "--live") {
            options.file = value;
            hasFile = true;
            continue;
        }
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), options.port);
        if (error != std::errc() || end != value.data() + value.size() || options.port < 1 || options.port > 65535)
            throw std::invalid_argument("--port takes a number from 1 to 65535, not \"" + value + "\"");
    }
    if (!hasFile || options.file.empty()) throw std::invalid_argument("--live needs the class file");
    return options;
}

// 128 random bits: no one else on the computer guesses the page's address.
std::string randomKey() {
    std::random_device random;
    std::string key;
    for (int i = 0; i < 4; ++i) {
        char word[9];
        const auto end = std::to_chars(word, word + 8, static_cast<std::uint32_t>(random()), 16).ptr;
        key += std::string(8 - static_cast<std::size_t>(end - word), '0') + std::string(word, end);
    }
    return key;
}

}  // namespace

bool asksForLiveView(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--live" || arg.starts_with("--live=")) return true;
    }
    return false;
}

int liveProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    LiveOptions options;
    try {
        options = readLiveOptions(args);
    } catch (const std::invalid_argument& wrong) {
        return wrongCommandLine(err, wrong);
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(pathFromUtf8(options.file), error);
    if (error || std::filesystem::is_directory(file, error)) {
        err << "classjournal-report: --live takes the class file, not the folder " << options.file << "\n";
        return kWrongCommandLine;
    }

    Interruption interruption;
    ClassFileWatch watch(file);
    LiveServer server(watch, livePage(utf8Of(file)), randomKey());
    if (!server.bind(options.port)) {
        err << "classjournal-report: "
            << (options.port ? "port " + std::to_string(options.port) + " of 127.0.0.1 is taken or not allowed"
                             : std::string("no port of 127.0.0.1 is free"))
            << "\n";
        return kNoPort;
    }
    out << server.address() << std::endl;
    err << "classjournal-report: the answers in " << utf8Of(file)
        << " as they arrive, at the address above; Ctrl+C ends\n";
    if (options.browser && !openInBrowser(server.address()))
        err << "classjournal-report: no browser could be opened; open the address above in one\n";

    std::thread serving([&] { server.run(); });
    interruption.wait();
    server.stop();
    serving.join();
    err << "classjournal-report: the live view has ended\n";
    return kEnded;
}

}  // namespace cj::report
