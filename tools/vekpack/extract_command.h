#pragma once

#include <string>

namespace vek {

// Writes every entry of the archive into the folder (made when missing)
// under its name: as stored, or with asPng every entry that decodes as a
// picture as a PNG file (NAME.bmp becomes NAME.png). Each file replaces an
// earlier one only once it is completely written. Entries whose names are
// not plain file names ("", ".", "..", anything with '/') and later entries
// of a name already written (the editor reads only the first) are skipped
// with a message. Gives the exit status: 0 when every entry was written,
// else 1.
int extractArchive(const std::string& path, const std::string& folder, bool asPng);

}  // namespace vek
