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
    static Application& instance();

    // Creates the hidden application window that carries the title and owns every other window.
    void initialize(const std::string& title);
    const std::string& title() const { return title_; }
    HWND handle() const { return handle_; }

    // Runs until terminate(); showMain runs first, as the loop starts.
    int run(const std::function<void()>& showMain);
    void terminate();
    // Dispatches what is pending in the queue and returns.
    void processMessages();

    void setIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }

    // The error handler: picture errors call the picture hook, every other error shows the error box.
    void handleError(std::exception_ptr error) noexcept;
    void setPictureErrorHook(std::function<void()> hook) { pictureErrorHook_ = std::move(hook); }
    // Replaces the error box (tests under Wine record instead of blocking on a modal box).
    void setErrorBoxSink(std::function<void(const std::string&)> sink) { errorBoxSink_ = std::move(sink); }

    // Top-level windows whose keyboard input goes through IsDialogMessage (Tab, Enter, Esc, mnemonics).
    void registerDialog(HWND hwnd) { dialogs_.insert(hwnd); }
    void unregisterDialog(HWND hwnd) { dialogs_.erase(hwnd); }

private:
    Application() = default;
    bool preTranslate(MSG& msg);
    void showErrorBox(const std::string& message);

    std::string title_;
    HWND handle_ = nullptr;
    std::function<void()> idle_;
    std::function<void()> pictureErrorHook_;
    std::function<void(const std::string&)> errorBoxSink_;
    std::set<HWND> dialogs_;
};

// The system's text for an error code (FormatMessage), without the trailing line break.
std::string systemErrorText(DWORD code);

}  // namespace tikora::ui
