#pragma once
// The standard dialogs as windows, worked through the test driver: a dialog shows modally while
// actions scripted on the virtual clock look at it and press its keys and buttons.

#include "platform/gui/dialogs/WindowDialogs.h"
#include "platform/win/Activation.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace guitest {

// The dialog windows, with the text of every message box they show noted (it is painted, not a window).
class NotingWindowDialogs final : public win::DialogService {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override
    {
        texts.push_back(text);
        return windows.MessageBox(text, caption, type);
    }
    int DocumentProperties(win::DocumentPropertiesRequest& r) override { return windows.DocumentProperties(r); }
    int FileDialog(win::FileRequest& r) override { return windows.FileDialog(r); }
    int PrintDialog(win::PrintRequest& r) override { return windows.PrintDialog(r); }
    int PrinterSetupDialog(win::PrinterSetupRequest& r) override { return windows.PrinterSetupDialog(r); }
    int FontDialog(win::FontRequest& r) override { return windows.FontDialog(r); }
    int ColorDialog(win::ColorRequest& r) override { return windows.ColorDialog(r); }
    int InputDialog(win::InputRequest& r) override { return windows.InputDialog(r); }
    int MessageDialog(win::MessageDialogRequest& r) override { return windows.MessageDialog(r); }

    gui::WindowDialogs windows;
    std::vector<std::string> texts;
};

class DialogWindowsTest : public ControlsTest {
protected:
    // The dialog that shows now.
    static win::HWND Dialog() { return win::GetActiveWindow(); }

    static std::vector<win::HWND> Children(win::HWND parent)
    {
        std::vector<win::HWND> children;
        for (win::HWND child = win::GetWindow(parent, win::GW_CHILD); child; child = win::GetWindow(child, win::GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    // The dialog's child window of that text, anywhere in it; null when there is none.
    static win::HWND Child(win::HWND dialog, const std::string& text)
    {
        for (win::HWND child : Children(dialog)) {
            if (win::GetWindowText(child) == text)
                return child;
            if (win::HWND inner = Child(child, text))
                return inner;
        }
        return nullptr;
    }

    // The dialog's children of a window class, top to bottom and left to right.
    static std::vector<win::HWND> Windows(win::HWND dialog, const std::string& className)
    {
        std::vector<std::pair<std::pair<int, int>, win::HWND>> found;
        for (win::HWND child : Children(dialog)) {
            if (win::GetClassName(child) != className || !win::IsWindowVisible(child))
                continue;
            win::RECT rect;
            win::GetWindowRect(child, &rect);
            found.push_back({{rect.top, rect.left}, child});
        }
        std::sort(found.begin(), found.end());
        std::vector<win::HWND> windows;
        for (auto& entry : found)
            windows.push_back(entry.second);
        return windows;
    }
    static std::vector<std::string> Texts(win::HWND dialog, const std::string& className)
    {
        std::vector<std::string> texts;
        for (win::HWND window : Windows(dialog, className))
            texts.push_back(win::GetWindowText(window));
        return texts;
    }

    // Replaces the text of an edit as the user would: focus, select it all with Home and Shift+End, type.
    void TypeInto(win::HWND edit, const std::string& text)
    {
        ClickOn(edit);
        driver.Pump();
        driver.PressKey(win::VK_HOME);
        driver.KeyDown(win::VK_SHIFT);
        driver.PressKey(win::VK_END);
        driver.KeyUp(win::VK_SHIFT);
        driver.PressKey(win::VK_DELETE);
        driver.TypeText(text);
        driver.Pump();
    }

    void Press(win::UINT vk) { driver.PressKey(vk); }
    void ClickOn(win::HWND window)
    {
        win::RECT rect;
        win::GetClientRect(window, &rect);
        driver.Click(window, win::TestDriver::Button::Left, rect.right / 2, rect.bottom / 2);
    }

    // Runs steps one after another, 50 ms of the virtual clock apart, while show runs the dialog; the
    // steps left when the dialog ends early run after it, so none leaks into the next dialog.
    template <class Show>
    auto WhileShowing(std::vector<std::function<void()>> steps, Show show)
    {
        std::uint64_t at = clock.TickCount64();
        for (auto& step : steps)
            driver.At(at += 50, std::move(step));
        auto answer = show();
        if (clock.TickCount64() < at)
            driver.AdvanceBy(at - clock.TickCount64());
        return answer;
    }

    NotingWindowDialogs windows;
    win::ScopedDialogService installedWindows{windows};
};

}  // namespace guitest
