// The HTTP server's task queue: every accepted connection is served on a
// thread of its own. At most kMaxConnectionThreads run at once; further
// connections wait in the listen backlog until one ends.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace pv {

constexpr std::size_t kMaxConnectionThreads = 512;

class ConnectionThreads : public httplib::TaskQueue {
public:
    ~ConnectionThreads() override;
    void enqueue(std::function<void()> task) override;
    // Waits until every connection thread has ended.
    void shutdown() override;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<bool> done;  // written under mutex_
    };
    void JoinFinished();

    std::mutex mutex_;
    std::condition_variable ended_;
    std::list<Worker> workers_;
    std::size_t running_ = 0;
};

}  // namespace pv
