#include "live_server.h"

#include <charconv>
#include <chrono>
#include <optional>
#include <thread>
#include <utility>

#include "httplib.h"

namespace cj::report {

namespace {

constexpr const char* kLoopback = "127.0.0.1";

// A page that can do no more than it needs to: its own script and look, requests to this server.
const httplib::Headers kHeaders = {
    {"Cache-Control", "no-store"},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"X-Frame-Options", "DENY"},
    {"Content-Security-Policy",
     "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self'; "
     "base-uri 'none'; form-action 'none'; frame-ancestors 'none'"},
};

// Absent when the request leaves it out; throws std::invalid_argument for anything but a number.
std::optional<std::uint64_t> number(const httplib::Request& request, const char* name) {
    if (!request.has_param(name)) return std::nullopt;
    const std::string text = request.get_param_value(name);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) throw std::invalid_argument(name);
    return value;
}

void refuse(httplib::Response& response, int status, const char* why) {
    response.status = status;
    response.set_content(why, "text/plain; charset=utf-8");
}

}  // namespace

struct LiveServer::Http {
    httplib::Server server;
};

LiveServer::LiveServer(ClassFileWatch& watch, std::string page, std::string key)
    : http_(std::make_unique<Http>()), watch_(watch), page_(std::move(page)), key_(std::move(key)) {
    httplib::Server& server = http_->server;
    server.set_default_headers(kHeaders);
    server.set_payload_max_length(4096);
    // A web page elsewhere may make the browser ask this port under its own name; only a
    // request made for the loopback address by name is answered.
    server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        const std::string host = request.get_header_value("Host"), port = ":" + std::to_string(port_);
        if (host == kLoopback + port || host == "localhost" + port) return httplib::Server::HandlerResponse::Unhandled;
        refuse(response, 403, "Only this computer's own address is served.\n");
        return httplib::Server::HandlerResponse::Handled;
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == 404) refuse(response, 404, "Nothing here: the address needs the key it was printed with.\n");
    });
    server.Get("/" + key_ + "/", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(page_, "text/html; charset=utf-8");
    });
    server.Get("/" + key_ + "/lines", [this](const httplib::Request& request, httplib::Response& response) {
        try {
            const LiveBatch batch =
                watch_.linesFrom(number(request, "reading"), number(request, "from"), number(request, "until"));
            response.set_content(batchJson(batch), "application/json");
        } catch (const std::invalid_argument&) {
            refuse(response, 400, "reading, from and until are numbers.\n");
        }
    });
}

LiveServer::~LiveServer() = default;

bool LiveServer::bind(int port) {
    httplib::Server& server = http_->server;
    port_ = port == 0 ? server.bind_to_any_port(kLoopback) : server.bind_to_port(kLoopback, port) ? port : -1;
    return port_ > 0;
}

std::string LiveServer::address() const {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(port_) + "/" + key_ + "/";
}

void LiveServer::run() { http_->server.listen_after_bind(); }

void LiveServer::stop() {
    // The server can only be stopped once it runs; it starts running as soon as run() begins.
    for (int i = 0; i < 500 && !http_->server.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    http_->server.stop();
}

}  // namespace cj::report
