// The tag component's state rules: activation reads, deactivation clears, a new path rebinds.
#include "tags/id3v1_tag.h"

#include "core/errors.h"
#include "tags/genre_table.h"

namespace tikora {

void Id3v1Tag::SetActive(bool active) {
    if (active == active_) return;  // an active component is not read again
    active_ = active;
    if (active_)
        LoadTag();
    else
        ClearTagFields();
}

void Id3v1Tag::SetFileName(const std::string& path) {
    if (path == fileName_) return;
    const bool wasActive = active_;
    SetActive(false);
    fileName_ = path;
    if (wasActive) SetActive(true);
}

std::string Id3v1Tag::GenreAsString() const { return GenreTable::Shared().GenreNameOf(genre); }

void Id3v1Tag::SetGenreAsString(const std::string& name) { genre = GenreTable::Shared().GenreIdOf(name); }

TagFields Id3v1Tag::Fields() const { return {songName, artist, album, year, comment, genre, albumTrack}; }

bool Id3v1Tag::LoadTag() {
    if (!active_) throw AppError("Not active");
    TagBlock block{};
    if (!ReadTagBlock(files_, fileName_, block)) {
        ClearTagFields();
        return false;
    }
    const TagFields fields = DecodeTagBlock(block);
    songName = fields.songName;
    artist = fields.artist;
    album = fields.album;
    year = fields.year;
    comment = fields.comment;
    genre = fields.genre;
    albumTrack = fields.albumTrack;
    return true;
}

bool Id3v1Tag::SaveTag() {
    if (!active_) throw AppError("Not active");
    return WriteTagBlock(files_, fileName_, EncodeTagBlock(Fields()));
}

void Id3v1Tag::DeleteTag() {
    const bool wasActive = active_;
    SetActive(false);
    try {
        TruncateTagBlock(files_, fileName_);
    } catch (...) {
        // The component is bound again before the error goes on to the caller.
        if (wasActive) SetActive(true);
        throw;
    }
    if (wasActive) SetActive(true);
}

void Id3v1Tag::ClearTagFields() {
    songName.clear();
    artist.clear();
    album.clear();
    year.clear();
    comment.clear();
    genre = kNoGenre;
    albumTrack = 0;
}

}  // namespace tikora
