#pragma once
// What a search run reports, for a window that collects the results in a list box and shows the
// counters in a progress dialog: the search window and the picture viewer.
#include <string>

#include "search/progress_dialog_win.h"
#include "search/search_engine.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"

namespace tikora {

class ListSearchHooks final : public SearchHooks {
public:
    explicit ListSearchHooks(ui::ListBox& list) : list_(list) {}
    // The dialog whose counters follow the run; null for none.
    void SetProgress(ProgressDialog* progress) { progress_ = progress; }

    void FoldersCounted(int count) override {
        if (progress_) progress_->SetFolders(count);
    }
    void FilesCounted(int count) override {
        if (progress_) progress_->SetFiles(count);
    }
    void ProcessMessages() override { ui::Application::Instance().ProcessMessages(); }
    void Found(const std::string& path) override { list_.AddItem(path); }

private:
    ui::ListBox& list_;
    ProgressDialog* progress_ = nullptr;
};

}  // namespace tikora
