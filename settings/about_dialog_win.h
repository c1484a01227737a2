#pragma once
// The About dialog: the banner, the product's name, a credits line, two web links and "OK".
// Created once at start, shown and hidden.
#include <windows.h>

#include "core/platform.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"
#include "ui/link_label_win.h"

namespace tikora {

class AboutDialog final : public ui::Form {
public:
    // The class name and caption come from the window catalogue; the links open through `shell`.
    AboutDialog(ui::FormName name, ShellLauncher& shell);
    ~AboutDialog() override;

    HWND FirstLinkHandle() const { return firstLink_.Hwnd(); }
    HWND SecondLinkHandle() const { return secondLink_.Hwnd(); }

protected:
    void OnCreate() override;
    // Enter and Esc hide the dialog, as "OK" does.
    void OnCommand(int id, int code, HWND control) override;

private:
    void Open(const char* shown);

    ShellLauncher& shell_;
    ui::UniqueFont titleFont_;
    ui::UniqueFont creditsFont_;
    ui::UniqueFont linkFont_;

    ui::ImageControl banner_;
    ui::Label title_;
    ui::Label credits_;
    ui::LinkLabel firstLink_;
    ui::LinkLabel secondLink_;
    ui::Label rule_;
    ui::ToolButton okButton_;
};

}  // namespace tikora
