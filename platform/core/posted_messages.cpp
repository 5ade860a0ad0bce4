// Window handles and the queue of posted messages. Posting is safe from any thread (the
// media service posts its completion notices from its own); delivery happens on the thread
// that runs the application's event loop.
#include <QCoreApplication>
#include <QMetaObject>
#include <deque>
#include <map>
#include <mutex>

#include "platform/core/window_procedures.h"
#include "platform/user_interface.h"

namespace {

struct Posted {
    std::int32_t hWnd;
    std::uint32_t message;
    std::int32_t wParam;
    std::int32_t lParam;
};

struct Windows {
    std::mutex mutex;
    std::map<std::int32_t, WindowMessageReceiver> receivers;
    std::deque<Posted> queue;
    std::int32_t nextHandle = 1;
};

Windows& windows() {
    static Windows instance;
    return instance;
}

}  // namespace

std::int32_t RegisterWindowHandle(WindowMessageReceiver receiver) {
    auto& w = windows();
    std::lock_guard lock(w.mutex);
    const std::int32_t handle = w.nextHandle++;
    w.receivers.emplace(handle, std::move(receiver));
    return handle;
}

void ReleaseWindowHandle(std::int32_t hWnd) {
    window_messages::ForgetProcedure(hWnd);
    auto& w = windows();
    std::lock_guard lock(w.mutex);
    w.receivers.erase(hWnd);
}

std::int32_t PostMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                          std::int32_t lParam) {
    auto& w = windows();
    {
        std::lock_guard lock(w.mutex);
        if (!w.receivers.contains(hWnd)) return 0;
        w.queue.push_back({hWnd, message, wParam, lParam});
    }
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] { DispatchPostedMessages(); }, Qt::QueuedConnection);
    return 1;
}

void DispatchPostedMessages() {
    auto& w = windows();
    for (;;) {
        Posted next;
        {
            std::lock_guard lock(w.mutex);
            if (w.queue.empty()) return;
            next = w.queue.front();
            w.queue.pop_front();
        }
        // Outside the lock: a procedure may post or register windows itself.
        if (window_messages::Exists(next.hWnd))
            window_messages::Deliver(next.hWnd, next.message, next.wParam, next.lParam);
    }
}

namespace window_messages {

bool Exists(std::int32_t hWnd) {
    auto& w = windows();
    std::lock_guard lock(w.mutex);
    return w.receivers.contains(hWnd);
}

std::int32_t ToReceiver(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                        std::int32_t lParam) {
    WindowMessageReceiver receiver;
    {
        auto& w = windows();
        std::lock_guard lock(w.mutex);
        const auto it = w.receivers.find(hWnd);
        if (it == w.receivers.end()) return 0;
        receiver = it->second;
    }
    receiver(message, wParam, lParam);
    return 0;
}

}  // namespace window_messages
