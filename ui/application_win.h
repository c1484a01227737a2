#pragma once
// The process-wide application object: its title and hidden owner window, the message loop with
// its idle step, and the one error handler that every escaping error ends in.
#include <windows.h>

#include <exception>
#include <functional>
#include <set>
#include <string>

namespace tikora::ui {

class Application {
public:
    static Application& Instance();

    // Creates the hidden application window that carries the title and owns every other window.
    void Initialize(const std::string& title);
    const std::string& Title() const { return title_; }
    HWND Handle() const { return handle_; }
    // A plain message box under the program's title, owned by `owner`, unless `hook` takes the
    // text instead (tests record it rather than block on a modal box).
    void ShowMessage(HWND owner, const std::string& text,
                     const std::function<void(const std::string&)>& hook = nullptr) const;

    // Runs until Terminate(); showMain runs first, as the loop starts.
    int Run(const std::function<void()>& showMain);
    void Terminate();
    // Dispatches what is pending in the queue and returns.
    void ProcessMessages();

    // Called whenever the queue runs empty, until it returns false.
    void SetIdleHandler(std::function<bool()> handler) { idle_ = std::move(handler); }

    // The error handler: picture errors call the picture hook, every other error shows the error box.
    void HandleError(std::exception_ptr error) noexcept;
    void SetPictureErrorHook(std::function<void()> hook) { pictureErrorHook_ = std::move(hook); }
    // The hook set so far, so that a later window can add its own step to it.
    const std::function<void()>& PictureErrorHook() const { return pictureErrorHook_; }
    // Replaces the error box (tests under Wine record instead of blocking on a modal box).
    void SetErrorBoxSink(std::function<void(const std::string&)> sink) { errorBoxSink_ = std::move(sink); }

    // Top-level windows whose keyboard input goes through IsDialogMessage (Tab, Enter, Esc, mnemonics).
    void RegisterDialog(HWND hwnd) { dialogs_.insert(hwnd); }
    void UnregisterDialog(HWND hwnd) { dialogs_.erase(hwnd); }
    // Gives the message to IsDialogMessage when it is for a registered window; true when it was used.
    bool TranslateDialogKeys(MSG& msg);

private:
    Application() = default;
    void RunIdleStep();
    void ShowErrorBox(const std::string& message);

    std::string title_;
    HWND handle_ = nullptr;
    std::function<bool()> idle_;
    std::function<void()> pictureErrorHook_;
    std::function<void(const std::string&)> errorBoxSink_;
    std::set<HWND> dialogs_;
};

// The system's text for an error code (FormatMessage), without the trailing line break.
std::string SystemErrorText(DWORD code);

}  // namespace tikora::ui
