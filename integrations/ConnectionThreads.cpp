#include "integrations/ConnectionThreads.h"

#include <system_error>
#include <utility>

namespace pv {

ConnectionThreads::~ConnectionThreads() { shutdown(); }

void ConnectionThreads::JoinFinished() {
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (*it->done) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

void ConnectionThreads::enqueue(std::function<void()> task) {
    auto shared = std::make_shared<std::function<void()>>(std::move(task));
    std::unique_lock<std::mutex> lock(mutex_);
    ended_.wait(lock, [this] { return running_ < kMaxConnectionThreads; });
    JoinFinished();
    auto done = std::make_shared<bool>(false);
    try {
        std::thread thread([this, shared, done] {
            (*shared)();
            std::lock_guard<std::mutex> guard(mutex_);
            *done = true;
            --running_;
            ended_.notify_all();
        });
        workers_.push_back({std::move(thread), done});
        ++running_;
    } catch (const std::system_error&) {
        // No thread to be had: serve the connection here rather than drop it.
        lock.unlock();
        (*shared)();
    }
}

void ConnectionThreads::shutdown() {
    std::unique_lock<std::mutex> lock(mutex_);
    ended_.wait(lock, [this] { return running_ == 0; });
    JoinFinished();
}

}  // namespace pv
