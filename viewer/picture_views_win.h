#pragma once
// What the picture viewer and its two full-screen views need of each other. The viewer implements
// PictureListHost; the views implement FullScreenViews. Both are created at start (the viewer
// first) and find each other through the clock's window directory.
#include <string>

namespace tikora {

class PictureListHost {
public:
    virtual ~PictureListHost() = default;
    // The length of the viewer's list; the browsing view reads it at each key press.
    virtual int PictureCount() = 0;
    // The full path of a list entry.
    virtual std::string PicturePath(int index) = 0;
    // The list's selected index; -1 when nothing is selected.
    virtual int SelectedIndex() = 0;
    // Esc in the browsing view, while it still shows: show the viewer and hide its placeholder,
    // so that neither the desktop nor the clock shows between the view and the viewer.
    virtual void ShowForReturn() = 0;
    // Esc in the browsing view, once it is hidden: select `index` in the list and give the list
    // the focus, then draw the icon and show the picture.
    virtual void ReturnFromBrowsing(int index) = 0;
    // Esc or a click in the actual-size view: show the viewer and give its list the focus; the
    // selection is unchanged.
    virtual void ReturnFromActualSize() = 0;
};

class FullScreenViews {
public:
    virtual ~FullScreenViews() = default;
    // Loads the picture at actual size (throwing as LoadPictureFile does, before anything shows),
    // sets the scroll ranges to its size, shows the actual-size view and scrolls to 0, 1, 0.
    virtual void OpenActualSize(const std::string& path) = 0;
    // Shows the browsing view: it starts at the list's selected index, in the mode the viewer
    // settings choose, and displays that picture.
    virtual void OpenBrowsing() = 0;
};

}  // namespace tikora
