#pragma once

#include <memory>
#include <string>

#include "live_watch.h"

namespace cj::report {

// The live view's web server: on the loopback address alone, answering only requests that name
// the loopback address as their host and carry the key in their path, so that neither another
// user of the computer nor a web site the browser visits can read the class's answers.
class LiveServer {
public:
    LiveServer(ClassFileWatch& watch, std::string page, std::string key);
    ~LiveServer();

    // 0 for any free port; false when the port cannot be had.
    bool bind(int port);
    // The page's address, key included.
    std::string address() const;
    // Serves until stop(), from any thread, ends it.
    void run();
    void stop();

private:
    struct Http;
    std::unique_ptr<Http> http_;
    ClassFileWatch& watch_;
    std::string page_, key_;
    int port_ = 0;
};

}  // namespace cj::report
