#pragma once
// The tag component: the ID3v1 tag of one file held in properties, with activation, save and
// delete. Bound to its file while active; a new path rebinds it.
#include <cstdint>
#include <string>

#include "tags/tag_block.h"
#include "tags/tag_file.h"

namespace tikora {

class Id3v1Tag {
public:
    explicit Id3v1Tag(TagFileSystem& files) : files_(files) {}

    bool Active() const { return active_; }
    // True reads the tag, false clears the fields; the value it already has changes nothing.
    void SetActive(bool active);
    const std::string& FileName() const { return fileName_; }
    // The same path (case included) changes nothing; another one deactivates, stores it, and
    // reactivates (reading the new file) when the component was active.
    void SetFileName(const std::string& path);

    // The properties, in their published order after Active and FileName.
    std::string songName;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    uint8_t genre = 255;
    uint8_t albumTrack = 0;

    std::string GenreAsString() const;
    void SetGenreAsString(const std::string& name);

    // Reads the file's tag into the properties; false (fields cleared) when it has none.
    // Throws AppError "Not active" when inactive.
    bool LoadTag();
    // Writes the properties as the file's tag block. Throws AppError "Not active" when inactive.
    bool SaveTag();
    // Cuts the tag off the file and reads it again; the file error, if any, goes on afterwards.
    void DeleteTag();
    void ClearTagFields();

    TagFields Fields() const;

private:
    TagFileSystem& files_;
    bool active_ = false;
    std::string fileName_;
};

}  // namespace tikora
