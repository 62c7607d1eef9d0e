#include "link/qt/line_threads.h"

#include <QThread>

namespace tarvos::link {

namespace {
class QtLineThread : public LineThread {
  public:
    explicit QtLineThread(std::function<void()> body) : thread_(QThread::create(std::move(body))) {
        thread_->start();
    }
    ~QtLineThread() override { join(); }
    void join() override { thread_->wait(); }

  private:
    std::unique_ptr<QThread> thread_;
};
}  // namespace

ThreadStarter QtThreads() {
    return [](std::function<void()> body) -> std::unique_ptr<LineThread> {
        return std::make_unique<QtLineThread>(std::move(body));
    };
}

}  // namespace tarvos::link
