// Shutting down while the loading thread waits for a message box that only
// the main thread can show: the wait serves the main thread's requests, so
// the box is answered and the destructor returns.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "game/app/TestGameApp.h"

namespace
{

using namespace std::chrono_literals;

// A message box asked from another thread waits until the main thread serves
// the requests, as the desktop platform's does.
class MainThreadBoxPlatform : public FrothwickTest::FakePlatform
{
public:
    std::atomic<bool> boxWaiting{false};
    std::atomic<int> answered{0};

    void ProcessRequests() override
    {
        std::lock_guard lock(mutex);
        if (boxWaiting)
        {
            boxWaiting = false;
            ++answered;
            served.notify_all();
        }
    }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override
    {
        std::unique_lock lock(mutex);
        boxWaiting = true;
        served.wait(lock, [&] { return !boxWaiting; });
        return FakePlatform::ShowMessageBox(text, caption, flags);
    }

private:
    std::mutex mutex;
    std::condition_variable served;
};

class BoxedLoaderApp : public FrothwickTest::TestGameApp
{
public:
    MainThreadBoxPlatform* boxes = nullptr;

    BoxedLoaderApp()
    {
        auto p = std::make_unique<MainThreadBoxPlatform>();
        boxes = p.get();
        fake = p.get();
        platform = std::move(p);
    }
    using AppBase::StartLoadingThread;

    void LoadInBackground() override
    {
        ShowMessageBox("cannot load", "FATAL ERROR", Framework::MB_OK | Framework::MB_ICONERROR);
    }
};

// Runs step on another thread; a step still running after the limit is a
// hang that would stop the suite, so the test program ends with a failure.
void WithinLimit(const std::function<void()>& step, const char* what)
{
    auto done = std::async(std::launch::async, step);
    if (done.wait_for(10s) != std::future_status::ready)
    {
        std::fprintf(stderr, "%s did not return within 10 s\n", what);
        std::_Exit(1);
    }
    done.get();
}

} // namespace

TEST(LoaderShutdown, DestroyingTheAppAnswersTheLoadersMessageBoxAndReturns)
{
    auto app = std::make_unique<BoxedLoaderApp>();
    MainThreadBoxPlatform* boxes = app->boxes;
    app->StartLoadingThread();
    const auto until = std::chrono::steady_clock::now() + 10s;
    while (!boxes->boxWaiting && std::chrono::steady_clock::now() < until)
    {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(boxes->boxWaiting) << "the loader never asked";
    // The destroying thread is the main thread from here on.
    WithinLimit([&] { app.reset(); }, "~GameApp");
    EXPECT_EQ(app, nullptr);
}

TEST(LoaderShutdown, WaitingWithoutALoaderReturnsAtOnce)
{
    FrothwickTest::TestGameApp app;
    WithinLimit([&] { app.WaitForLoadingThread(); }, "WaitForLoadingThread");
    EXPECT_FALSE(app.loaderStarted);
}
