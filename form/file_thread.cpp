#include "file_thread.h"

#include <atomic>
#include <cstdlib>
#include <exception>

namespace cj::form {

FileThread::FileThread(WorkWait& wait) : wait_(wait), thread_([this] { serve(); }) {}

FileThread::~FileThread() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    // Work stuck on a stalled share can be neither joined nor left to use what is freed after
    // it; the program was ending anyway, and has already said what it could not keep.
    if (!finish(std::chrono::seconds(1))) std::_Exit(EXIT_SUCCESS);
    thread_.join();
}

void FileThread::run(const std::function<void()>& work) {
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    post([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true, std::memory_order_release);
    });
    wait_.waitUntil([&] { return done.load(std::memory_order_acquire); });
    if (failure) std::rethrow_exception(failure);
}

void FileThread::post(std::function<void()> work) {
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    changed_.notify_all();
}

bool FileThread::finish(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return queue_.empty() && !working_; });
}

void FileThread::serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;
        std::function<void()> work = std::move(queue_.front());
        queue_.pop_front();
        working_ = true;
        lock.unlock();
        work();
        lock.lock();
        working_ = false;
        changed_.notify_all();
        wait_.wake();
    }
}

}  // namespace cj::form
