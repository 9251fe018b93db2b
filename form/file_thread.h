#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform.h"

namespace cj::form {

// How the window's thread passes the time while file work is done on another.
class WorkWait {
public:
    virtual ~WorkWait() = default;
    // Until done() holds: keeps the window painted and its timers running, and holds the
    // student's clicks, keys and closes for afterwards.
    virtual void waitUntil(const std::function<bool()>& done) = 0;
    // From the file thread: done() may hold now.
    virtual void wake() = 0;
};

// One thread that does all of a window's file work, one piece at a time in the order given,
// so that the student's files are never worked on from two threads at once.
class FileThread final : public FileWork {
public:
    explicit FileThread(WorkWait& wait);
    FileThread(const FileThread&) = delete;
    FileThread& operator=(const FileThread&) = delete;
    ~FileThread() override;

    void run(const std::function<void()>& work) override;
    void post(std::function<void()> work) override;
    bool finish(std::chrono::milliseconds limit) override;

private:
    void serve();

    WorkWait& wait_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> queue_;
    bool working_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace cj::form
