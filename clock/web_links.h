#pragma once
// The sites of the "Internet links" submenu. Each caption is the host name of its address.
#include <span>
#include <string_view>

#include "core/platform.h"

namespace tikora {

struct WebLink {
    std::string_view caption;
    std::string_view address;
};

struct WebLinkGroup {
    std::string_view header;
    std::span<const WebLink> links;
};

inline constexpr int kWebLinkCount = 36;
inline constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED

// The four groups in menu order.
std::span<const WebLinkGroup> WebLinkGroups();

// All links in menu order; a link's index here is the index the menu item carries.
std::span<const WebLink> WebLinks();

// Opens link `index` (0 to 35) with the shell: no owner window, default verb (an empty verb),
// shown maximised. An index outside the table opens nothing. A failure of the shell is not
// reported.
void OpenWebLink(ShellLauncher& shell, int index);

}  // namespace tikora
