#pragma once
// A fresh window system for each test, and a recorder of the messages windows receive.

#include "platform/gdi/Gdi.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/win/Paint.h"
#include "platform/win/Win.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Messages.h"
#include "platform/wintypes/Types.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace wintest {

// The plain colours the window tests paint with.
inline constexpr win::COLORREF Red = win::RGB(255, 0, 0);
inline constexpr win::COLORREF Green = win::RGB(0, 255, 0);
inline constexpr win::COLORREF Blue = win::RGB(0, 0, 255);

class WinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rtl::initialize();
        win::services::initialize();
        win::gdi::initialize();
        win::text::initialize();
        win::initialize();
    }
    void TearDown() override
    {
        win::finalize();
        win::text::finalize();
        win::gdi::finalize();
        win::services::finalize();
    }
};

struct Received {
    win::HWND hwnd;
    win::UINT message;
    win::WPARAM wParam;
    win::LPARAM lParam;
    friend bool operator==(const Received&, const Received&) = default;
};

// What every window of the recording class received, in order, from any thread.
class MessageLog {
public:
    void Add(const Received& entry)
    {
        std::lock_guard lock(mutex_);
        entries_.push_back(entry);
    }
    std::vector<Received> Entries() const
    {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    // The messages among wanted, as (window, message) pairs in the order received.
    std::vector<std::pair<win::HWND, win::UINT>> Only(std::initializer_list<win::UINT> wanted) const
    {
        std::vector<std::pair<win::HWND, win::UINT>> result;
        for (const Received& entry : Entries()) {
            for (win::UINT message : wanted) {
                if (entry.message == message) {
                    result.emplace_back(entry.hwnd, entry.message);
                }
            }
        }
        return result;
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<Received> entries_;
};

MessageLog& Log();

// Registers "Recorder": a class whose procedure logs every message and then calls DefWindowProc.
void RegisterRecorderClass(win::UINT classStyle = 0);
win::LRESULT RecorderProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

// Fills the client area of hwnd through GetDCEx with flags; with DCX_WINDOW the whole window.
void Fill(win::HWND hwnd, win::COLORREF colour, win::DWORD flags = win::DCX_USESTYLE);

// A window of the recorder class.
win::HWND MakeWindow(win::DWORD style, win::HWND parent = nullptr, const char* text = "", win::DWORD exStyle = 0);

}  // namespace wintest
