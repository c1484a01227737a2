#pragma once
// Shared set-up of the in-process Win32 tests.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/window_catalogue_win.h"

namespace tikora::testing {

// The application object exists once per process. Its title differs from the program's, so an
// in-process clock window never mistakes a running Tikora for itself or the other way round.
void EnsureApplication();
inline constexpr const char* kTestApplicationTitle = "Tikora under test";

// Errors that reached the application error handler since the last call.
std::vector<std::string> TakeErrorBoxes();

// The clock window's class name and caption, from the window catalogue.
inline ui::FormName ClockName() {
    const WindowEntry& entry = CatalogueEntry(WindowId::Clock);
    return {entry.className, entry.caption};
}

// Pumps messages until the condition holds or the timeout passes; returns the condition's value.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Pumps whatever is pending.
void PumpMessages();

// A scoped folder under the temporary directory, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// The runtime folder the build made (Tikora.exe, Numbers, Sounds, Icons), as a Windows path.
std::string RuntimeFolder();

}  // namespace tikora::testing
