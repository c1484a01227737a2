"""Acceptance flow of the MP3 tag editor: opened from the tray menu, a folder chosen in the shell's
folder browser with the keyboard, a tag edited and saved, another file's tag deleted, the window
closed; the files on disk are checked byte by byte."""

import os
import time

from desktop import Program, list_items, live_text, wait_for
from flows import OUTSIDE, click_anywhere_in, expect


def tag_block(title=b"", artist=b"", genre=255, track=0):
    block = bytearray(128)
    block[0:3] = b"TAG"
    block[3:3 + len(title)] = title
    block[33:33 + len(artist)] = artist
    block[126] = track
    block[127] = genre
    return bytes(block)


AUDIO = bytes(range(65, 91)) * 40


def controls_of(tikora, window, cls):
    """The window's visible controls of one class at any depth, top to bottom, left to right."""
    handles = {window.handle}
    found = []
    for w in tikora.desktop.windows():  # parents come before their children
        if w.kind == "child" and w.relative in handles:
            handles.add(w.handle)
            if w.cls == cls and w.visible:
                found.append(w)
    return sorted(found, key=lambda w: (w.rect[1], w.rect[0]))


def edit_texts(tikora, window):
    return [live_text(tikora.desktop, w) for w in controls_of(tikora, window, "Edit")]


def centre(window):
    return (window.rect[0] + window.rect[2]) // 2, (window.rect[1] + window.rect[3]) // 2


def choose_folder(tikora, editor, path):
    """Walks the folder browser's tree with the keyboard, as a user would: "/" then each folder
    of the path by typing its name, then OK."""
    d = tikora.desktop
    browser = wait_for(lambda: tikora.find(cls="#32770", text="Browse for Folder", visible=True),
                       "the folder browser")
    (x, y), (ex, ey) = centre(browser), centre(editor)
    expect(abs(x - ex) <= 1 and abs(y - ey) <= 1, f"the browser {browser} centred on the editor {editor}")
    tree = controls_of(tikora, browser, "SysTreeView32")[0]
    d.click(tree.rect[0] + 60, tree.rect[1] + 9)  # "Desktop", the root
    d.keys("Home", "Down")                          # "/", the root of the file system
    for part in [p for p in os.path.realpath(path).split("/") if p]:
        d.keys("Right", "Right")                    # expand, then to the first child
        # The tree's incremental search adds keys typed within a second to the text it looks for:
        # the name of the next folder must start a new search. A time, not a condition to poll.
        time.sleep(1.1)
        d.type(part)
    d.keys("Return")
    tikora.wait_gone("#32770")


def flow_tag_editor_edits_and_deletes_tags_of_a_chosen_folder(desktop):
    with Program(desktop) as tikora:
        try:
            edit_and_delete_tags(desktop, tikora)
        except Exception:
            # run.py's own screenshot comes after the program has ended.
            desktop.save_screenshot(os.path.join(desktop.state, "tag_editor_at_failure.png"))
            raise


def edit_and_delete_tags(desktop, tikora):
    music = os.path.join(tikora.folder, "music")
    os.makedirs(music)
    first, second = os.path.join(music, "a.mp3"), os.path.join(music, "B.mp3")
    with open(first, "wb") as f:
        f.write(AUDIO + tag_block(b"Old title", b"Someone", genre=12, track=5))
    with open(second, "wb") as f:
        f.write(AUDIO)

    tikora.open_menu(3)
    desktop.move(*OUTSIDE)
    desktop.keys("Down", "Down", "Right", "Return")  # "Advanced" > "Mp3 tag editor"
    editor = tikora.wait_window("TForm21")
    expect(editor.text == "MP3 tag editor ( ID3v1 )", f"caption {editor.text!r}")

    click_anywhere_in(tikora, "  Open folder with MP3 files ( *.mp3 )")
    choose_folder(tikora, editor, music)
    windows_first = desktop.unix_to_windows(os.path.realpath(first))
    # Top to bottom: title, artist, album, year, track, comment, path.
    wait_for(lambda: edit_texts(tikora, editor)[-1] == windows_first, "the first file to load")
    texts = edit_texts(tikora, editor)
    expect(texts[0] == "Old title" and texts[1] == "Someone" and texts[4] == "5", f"fields {texts}")
    genre = controls_of(tikora, editor, "ComboBox")[0]
    expect(live_text(desktop, genre) == "Other", "genre 12 shows Other")
    files = controls_of(tikora, editor, "ListBox")[0]
    expect(list_items(desktop, files) == ["a.mp3", "B.mp3"], f"files {list_items(desktop, files)}")

    title = controls_of(tikora, editor, "Edit")[0]
    desktop.click(title.rect[2] - 5, (title.rect[1] + title.rect[3]) // 2)
    desktop.keys("End", "shift+Home")
    desktop.type("New title")
    wait_for(lambda: edit_texts(tikora, editor)[0] == "New title", "the typed title")
    click_anywhere_in(tikora, "  Update")
    wanted = AUDIO + tag_block(b"New title", b"Someone", genre=12, track=5)
    wait_for(lambda: open(first, "rb").read() == wanted, "a.mp3 to hold the new title, in place")

    # The list has the focus after loading: Down selects the next file, which has no tag.
    desktop.click(files.rect[0] + 40, files.rect[1] + 8)
    desktop.keys("Down")
    wait_for(lambda: edit_texts(tikora, editor)[-1].endswith("\\B.mp3"), "B.mp3 to load")
    expect(edit_texts(tikora, editor)[:6] == ["", "", "", "", "0", ""], "B.mp3 shows no tag")
    click_anywhere_in(tikora, "  Delete tag")
    wait_for(lambda: open(second, "rb").read() == AUDIO + tag_block(), "B.mp3 to get an empty tag")

    desktop.keys("alt+F4")
    tikora.wait_window("TForm21", visible=False)
    expect(open(first, "rb").read() == wanted, "closing wrote nothing")
