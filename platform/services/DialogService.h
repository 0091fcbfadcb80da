#pragma once
// Every message box of the program goes through one dialog service. The display layer installs the one
// that shows real windows; tests install ScriptedDialogs, which answers from a script and records what
// was asked. So do a printer's document properties dialog and the file, print, printer, font, colour,
// input and message dialogs (DialogRequests.h).

#include "platform/services/DialogRequests.h"

#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace win {

// Message box buttons, icons and default button (the type argument), and the answers.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = MB_ICONHAND,
    MB_ICONSTOP = MB_ICONHAND,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = MB_ICONASTERISK,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
    MB_APPLMODAL = 0x0000,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The answers a message box of this type offers, in button order.
std::vector<int> MessageBoxButtons(unsigned type);
// The answer of the default button.
int DefaultMessageBoxAnswer(unsigned type);

// A printer's document properties as its dialog offers them: the printer's choices, and the settings the
// dialog starts from and, when it answers IDOK, leaves.
struct DocumentPropertiesRequest {
    std::string printer;
    std::vector<std::string> papers;
    std::vector<std::string> sources;
    std::vector<std::string> resolutions;
    bool duplexAvailable = false;
    bool colorAvailable = false;
    int maxCopies = 1;

    int paper = 0;  // indexes into the lists above; source -1 when there is none
    int source = -1;
    int resolution = 0;
    bool landscape = false;
    int copies = 1;
    bool collate = false;
    int duplex = 1;  // 1 one-sided, 2 bound at the long edge, 3 at the short edge
    bool color = false;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // Shows a modal message box and returns the answer (IDOK ...).
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned type) = 0;
    // Shows a printer's document properties modally: IDOK with the request's settings as the user left
    // them, or IDCANCEL. A service that shows no such dialog takes the settings as confirmed unchanged.
    virtual int DocumentProperties(DocumentPropertiesRequest&) { return IDOK; }
    // The other dialogs answer IDOK with the request as the user left it, or IDCANCEL. A service that
    // shows no such dialog answers IDCANCEL.
    virtual int FileDialog(FileRequest&) { return IDCANCEL; }
    virtual int PrintDialog(PrintRequest&) { return IDCANCEL; }
    virtual int PrinterSetupDialog(PrinterSetupRequest&) { return IDCANCEL; }
    virtual int FontDialog(FontRequest&) { return IDCANCEL; }
    virtual int ColorDialog(ColorRequest&) { return IDCANCEL; }
    virtual int InputDialog(InputRequest&) { return IDCANCEL; }
    // Answers the result of the button pressed; a service that shows no such dialog the default button's.
    virtual int MessageDialog(MessageDialogRequest& request);
};

// Until a display installs its own, message boxes are written to the standard error stream (in UTF-8)
// and take their default answer, so a program without a display neither blocks nor loses the message.
class ConsoleDialogs final : public DialogService {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    int MessageDialog(MessageDialogRequest& request) override;
};

struct AskedMessageBox {
    std::string text;
    std::string caption;
    unsigned type;
    int answer;
};

// Answers message boxes from a script, in order; with the script used up it takes the default answer.
// An answer the box does not offer is a fault of the test and raises rtl::EInvalidOperation. Properties
// dialogs have a script of their own: an answer, IDOK or IDCANCEL, and what the user changes before it;
// with that script used up they are confirmed unchanged. So have the file, print, printer, font, colour
// and input dialogs, each kind its own script (Answer<FileRequest>(IDOK, change)); with it used up they
// answer IDCANCEL. Message dialogs take their answers from the message boxes' script.
class ScriptedDialogs final : public DialogService {
public:
    using PropertiesChange = std::function<void(DocumentPropertiesRequest&)>;

    void Answer(int answer) { script_.push_back(answer); }
    template <class Request>
    void Answer(int answer, std::function<void(Request&)> change = {})
    {
        Requests<Request>().Add(answer, std::move(change));
    }
    // The requests of a kind as the dialogs were shown them.
    template <class Request>
    const std::vector<Request>& Asked() const
    {
        return std::get<RequestScript<Request>>(requests_).asked;
    }
    const std::vector<MessageDialogRequest>& AskedMessageDialogs() const { return askedMessageDialogs_; }
    void AnswerProperties(int answer, PropertiesChange change = {});
    const std::vector<AskedMessageBox>& Asked() const { return asked_; }
    // The requests as the dialogs were shown them.
    const std::vector<DocumentPropertiesRequest>& AskedProperties() const { return askedProperties_; }
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    int DocumentProperties(DocumentPropertiesRequest& request) override;
    int FileDialog(FileRequest& request) override { return Requests<FileRequest>().Take(request); }
    int PrintDialog(PrintRequest& request) override { return Requests<PrintRequest>().Take(request); }
    int PrinterSetupDialog(PrinterSetupRequest& request) override { return Requests<PrinterSetupRequest>().Take(request); }
    int FontDialog(FontRequest& request) override { return Requests<FontRequest>().Take(request); }
    int ColorDialog(ColorRequest& request) override { return Requests<ColorRequest>().Take(request); }
    int InputDialog(InputRequest& request) override { return Requests<InputRequest>().Take(request); }
    int MessageDialog(MessageDialogRequest& request) override;

private:
    template <class Request>
    struct RequestScript {
        struct Step {
            int answer;
            std::function<void(Request&)> change;
        };
        std::deque<Step> script;
        std::vector<Request> asked;

        void Add(int answer, std::function<void(Request&)> change)
        {
            CheckRequestAnswer(answer);
            script.push_back({answer, std::move(change)});
        }
        int Take(Request& request)
        {
            asked.push_back(request);
            if (script.empty())
                return IDCANCEL;
            Step next = std::move(script.front());
            script.pop_front();
            if (next.answer == IDOK && next.change)
                next.change(request);
            return next.answer;
        }
    };
    template <class Request>
    RequestScript<Request>& Requests()
    {
        return std::get<RequestScript<Request>>(requests_);
    }
    // EInvalidOperation unless IDOK or IDCANCEL.
    static void CheckRequestAnswer(int answer);

    struct PropertiesAnswer {
        int answer;
        PropertiesChange change;
    };
    std::deque<int> script_;
    std::vector<AskedMessageBox> asked_;
    std::deque<PropertiesAnswer> propertiesScript_;
    std::vector<DocumentPropertiesRequest> askedProperties_;
    std::tuple<RequestScript<FileRequest>, RequestScript<PrintRequest>, RequestScript<PrinterSetupRequest>,
               RequestScript<FontRequest>, RequestScript<ColorRequest>, RequestScript<InputRequest>>
        requests_;
    std::vector<MessageDialogRequest> askedMessageDialogs_;
};

DialogService& CurrentDialogService();
// Installs service (null restores the console one) and returns the one installed before.
DialogService* SetDialogService(DialogService* service);

// Installs a service for the lifetime of the guard.
class ScopedDialogService {
public:
    explicit ScopedDialogService(DialogService& service) : previous_(SetDialogService(&service)) {}
    ~ScopedDialogService() { SetDialogService(previous_); }
    ScopedDialogService(const ScopedDialogService&) = delete;
    ScopedDialogService& operator=(const ScopedDialogService&) = delete;

private:
    DialogService* previous_;
};

// Shows a message box through the current service.
int MessageBox(const std::string& text, const std::string& caption, unsigned type);

}  // namespace win
