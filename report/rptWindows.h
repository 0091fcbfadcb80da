#pragma once
// The windows a report opens, as the report sees them, until the window library exists: the preview
// window, a preview the report reports its preparation to, the progress window and the password window.
// Each has a creation function that the part building the window sets at start-up; without one the
// report opens no such window. The library's initialize() and finalize() remove them.

#include "platform/wintypes/Types.h"

#include <functional>
#include <memory>
#include <string>

namespace report {

class TrptCustomPreviewPages;
class TrptReport;

// A preview attached to a report: the preview window's or one the application placed. It is told when
// preparation starts, after each prepared page and when preparation ends. Deleting it detaches it.
class TrptCustomPreview {
public:
    TrptCustomPreview() = default;
    virtual ~TrptCustomPreview();
    TrptCustomPreview(const TrptCustomPreview&) = delete;
    TrptCustomPreview& operator=(const TrptCustomPreview&) = delete;

    TrptReport* Report() const { return report_; }
    TrptCustomPreviewPages* PreviewPages() const { return previewPages_; }

    virtual void InitPreview() = 0;
    virtual void PreparationStarted() = 0;
    // index is 0-based.
    virtual void PagePrepared(int index) = 0;
    virtual void PreparationFinished() = 0;

private:
    friend class TrptReport;
    TrptReport* report_ = nullptr;
    TrptCustomPreviewPages* previewPages_ = nullptr;
};

// The window that shows a report's prepared pages, owned by the application. A modal one is deleted by
// the report when it closes; a modeless one marked to release on close deletes itself then. Deleting it
// tells its report.
class TrptPreviewWindow {
public:
    TrptPreviewWindow() = default;
    virtual ~TrptPreviewWindow();
    TrptPreviewWindow(const TrptPreviewWindow&) = delete;
    TrptPreviewWindow& operator=(const TrptPreviewWindow&) = delete;

    TrptReport* Report() const { return report_; }

    // The window's own preview.
    virtual TrptCustomPreview& Preview() = 0;
    // Once, after the report attached its prepared pages to the preview.
    virtual void InitForm() = 0;
    // Keeps the position the window was designed with (poDesigned).
    virtual void SetPositionDesigned() = 0;
    virtual void AddExStyle(win::DWORD exStyle) = 0;
    virtual void SetReleaseOnClose() = 0;
    virtual void Show() = 0;
    virtual void ShowModal() = 0;
    virtual void Close() = 0;
    // The report's status messages: the first or the second text of the status bar.
    virtual void SetStatusText(const std::string& text, bool second) = 0;

private:
    friend class TrptReport;
    TrptReport* report_ = nullptr;
};

// The box that shows what the report is doing, with a Cancel button.
class TrptProgressWindow {
public:
    virtual ~TrptProgressWindow() = default;
    virtual void StartProgress(int maxValue, const std::string& message, bool showCancel, bool showBar) = 0;
    virtual void SetMessageText(const std::string& text) = 0;
    virtual bool Cancelled() const = 0;
};

// Asks for a report's password.
class TrptPasswordWindow {
public:
    virtual ~TrptPasswordWindow() = default;
    // Shows the window modally: true when it closed with OK, with the text entered.
    virtual bool Execute(std::string& password) = 0;
};

using TrptPreviewWindowFactory = std::function<std::unique_ptr<TrptPreviewWindow>(TrptReport& report)>;
using TrptProgressWindowFactory = std::function<std::unique_ptr<TrptProgressWindow>()>;
using TrptPasswordWindowFactory = std::function<std::unique_ptr<TrptPasswordWindow>()>;

void SetPreviewWindowFactory(TrptPreviewWindowFactory factory);
void SetProgressWindowFactory(TrptProgressWindowFactory factory);
void SetPasswordWindowFactory(TrptPasswordWindowFactory factory);
// The new window, or null without a creation function.
std::unique_ptr<TrptPreviewWindow> CreatePreviewWindow(TrptReport& report);
std::unique_ptr<TrptProgressWindow> CreateProgressWindow();
std::unique_ptr<TrptPasswordWindow> CreatePasswordWindow();

// Lets the calling thread's pending window messages through: by the function installed (the GUI
// application's, once there is one), otherwise by fetching and dispatching them from the window system.
void rptProcessMessages();
void SetMessagePump(std::function<void()> pump);

}  // namespace report
