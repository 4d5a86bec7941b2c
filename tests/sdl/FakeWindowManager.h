// A stand-in window manager on its own X connection: it publishes the check
// window as managers do and, once managing, receives the requests sent to
// managers. Kept apart because the X headers define names that clash.
#pragma once

#include <memory>
#include <string>

namespace corvane::test {

class FakeWindowManager {
public:
    // Null when the display cannot be opened.
    static std::unique_ptr<FakeWindowManager> Open(const std::string& display);
    ~FakeWindowManager();
    FakeWindowManager(const FakeWindowManager&) = delete;
    FakeWindowManager& operator=(const FakeWindowManager&) = delete;

    // Sets _NET_SUPPORTING_WM_CHECK on the root and on a check window, naming it.
    void Publish();
    // Destroys the check window, leaving the root's property behind.
    void Die();
    // Removes the root's property.
    void Withdraw();
    // Takes the requests the desktop sends its manager.
    void Manage();
    // Waits (bounded) for a request to iconify a window; its X window, or 0.
    unsigned long AwaitIconifyRequest(int timeoutMs);

private:
    FakeWindowManager() = default;
    struct Connection;
    std::unique_ptr<Connection> m_x;
};

} // namespace corvane::test
