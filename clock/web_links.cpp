#include "clock/web_links.h"

#include <array>

namespace tikora {

namespace {

// One table in menu order; the groups below are slices of it, so a link's menu index is simply
// its position here.
constexpr std::array<WebLink, kWebLinkCount> kLinks{{
    // Search engines and portals (7)
    {"www.google.com", "https://www.google.com/"},
    {"www.bing.com", "https://www.bing.com/"},
    {"duckduckgo.com", "https://duckduckgo.com/"},
    {"www.yahoo.com", "https://www.yahoo.com/"},
    {"www.ecosia.org", "https://www.ecosia.org/"},
    {"www.startpage.com", "https://www.startpage.com/"},
    {"www.qwant.com", "https://www.qwant.com/"},
    // Software downloads (16)
    {"www.softpedia.com", "https://www.softpedia.com/"},
    {"filehippo.com", "https://filehippo.com/"},
    {"www.majorgeeks.com", "https://www.majorgeeks.com/"},
    {"www.snapfiles.com", "https://www.snapfiles.com/"},
    {"ninite.com", "https://ninite.com/"},
    {"sourceforge.net", "https://sourceforge.net/"},
    {"github.com", "https://github.com/"},
    {"www.fosshub.com", "https://www.fosshub.com/"},
    {"www.filehorse.com", "https://www.filehorse.com/"},
    {"www.techspot.com", "https://www.techspot.com/downloads/"},
    {"portableapps.com", "https://portableapps.com/"},
    {"download.cnet.com", "https://download.cnet.com/"},
    {"www.softonic.com", "https://www.softonic.com/"},
    {"en.uptodown.com", "https://en.uptodown.com/"},
    {"www.videohelp.com", "https://www.videohelp.com/software"},
    {"www.nirsoft.net", "https://www.nirsoft.net/"},
    // Music (7)
    {"www.last.fm", "https://www.last.fm/"},
    {"soundcloud.com", "https://soundcloud.com/"},
    {"bandcamp.com", "https://bandcamp.com/"},
    {"www.jamendo.com", "https://www.jamendo.com/"},
    {"freemusicarchive.org", "https://freemusicarchive.org/"},
    {"music.youtube.com", "https://music.youtube.com/"},
    {"www.deezer.com", "https://www.deezer.com/"},
    // Wallpapers (6)
    {"wallhaven.cc", "https://wallhaven.cc/"},
    {"unsplash.com", "https://unsplash.com/wallpapers"},
    {"www.pexels.com", "https://www.pexels.com/"},
    {"wallpaperaccess.com", "https://wallpaperaccess.com/"},
    {"www.wallpaperflare.com", "https://www.wallpaperflare.com/"},
    {"wall.alphacoders.com", "https://wall.alphacoders.com/"},
}};

constexpr std::span<const WebLink> kAll{kLinks};

constexpr std::array<WebLinkGroup, 4> kGroups{{
    {"Search", kAll.subspan(0, 7)},
    {"Programs", kAll.subspan(7, 16)},
    {"Music MP3", kAll.subspan(23, 7)},
    {"Wallpapers", kAll.subspan(30, 6)},
}};

}  // namespace

std::span<const WebLinkGroup> WebLinkGroups() { return kGroups; }

std::span<const WebLink> WebLinks() { return kAll; }

void OpenWebLink(ShellLauncher& shell, int index) {
    if (index < 0 || index >= kWebLinkCount) return;
    shell.Open(false, "", kLinks[index].address, kShowMaximized);
}

}  // namespace tikora
