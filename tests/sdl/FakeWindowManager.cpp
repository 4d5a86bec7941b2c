#include "tests/sdl/FakeWindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <poll.h>

namespace corvane::test {

struct FakeWindowManager::Connection {
    Display* display = nullptr;
    Window check = 0;

    Window Root() const { return DefaultRootWindow(display); }
    Atom Named(const char* name) const { return XInternAtom(display, name, False); }
    void SetCheck(Window on, Window value) const
    {
        unsigned long v = value;
        XChangeProperty(display, on, Named("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&v), 1);
    }
};

std::unique_ptr<FakeWindowManager> FakeWindowManager::Open(const std::string& display)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d) return nullptr;
    std::unique_ptr<FakeWindowManager> manager(new FakeWindowManager());
    manager->m_x = std::make_unique<Connection>();
    manager->m_x->display = d;
    return manager;
}

FakeWindowManager::~FakeWindowManager()
{
    if (m_x && m_x->display) XCloseDisplay(m_x->display);
}

void FakeWindowManager::Publish()
{
    m_x->check = XCreateSimpleWindow(m_x->display, m_x->Root(), -10, -10, 1, 1, 0, 0, 0);
    m_x->SetCheck(m_x->Root(), m_x->check);
    m_x->SetCheck(m_x->check, m_x->check);
    XSync(m_x->display, False);
}

void FakeWindowManager::Die()
{
    if (m_x->check) XDestroyWindow(m_x->display, m_x->check);
    m_x->check = 0;
    XSync(m_x->display, False);
}

void FakeWindowManager::Withdraw()
{
    XDeleteProperty(m_x->display, m_x->Root(), m_x->Named("_NET_SUPPORTING_WM_CHECK"));
    XSync(m_x->display, False);
}

void FakeWindowManager::Manage()
{
    XSelectInput(m_x->display, m_x->Root(), SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(m_x->display, False);
}

unsigned long FakeWindowManager::AwaitIconifyRequest(int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const Atom changeState = m_x->Named("WM_CHANGE_STATE");
    while (std::chrono::steady_clock::now() < deadline) {
        while (XPending(m_x->display)) {
            XEvent e;
            XNextEvent(m_x->display, &e);
            if (e.type == ClientMessage && e.xclient.message_type == changeState && e.xclient.data.l[0] == IconicState)
                return e.xclient.window;
        }
        poll(nullptr, 0, 10);
    }
    return 0;
}

} // namespace corvane::test
