// The session's two files in the user's temporary directory: the picture file (a copy of the
// current picture resource) and the page file (the current page text). Both names are made once
// per activation, both files are rewritten under them for every picture and deleted at the end.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/JpegHeader.h"

// The final name from a name the system reserved (".tmp" in any case): the last three characters
// are cut by position and `extension` (without its dot) takes their place. A name shorter than
// three characters (none reserved) gives the empty name.
std::string FinalTempName(const std::string& reservedName, const std::string& extension);

// Win32. A new name in the temporary directory ending in `extension`: the system reserves a unique
// "ins<hex>.tmp" file, which is emptied of attributes and deleted again, so that no file exists
// under either name afterwards. When no temporary directory or unique name can be had the name is
// empty: writes to it then fail with the creation error and deleting it does nothing.
std::string MakeTempFileName(const std::string& extension);

// Win32. Copies picture resource 110 + pictureNumber byte for byte to `picturePath` (created or
// truncated, one write) and returns the picture's size as its JPEG header states it; no pixel is
// decoded. Raises EResNotFound or EJPEG before the file is touched, EFCreateError when the file
// cannot be created, EWriteError when it takes fewer bytes than the picture has.
TJpegSize CopyPictureFile(int32_t pictureNumber, const std::string& picturePath);

// Win32. Replaces the file at `pagePath` by exactly the bytes of `pageText` (created or truncated,
// one write whose length is checked). Raises EFCreateError("Datei \"<path>\" kann nicht erstellt
// werden. <the system's description of the cause>") or EWriteError("Stream-Schreibfehler").
void WritePageFile(const std::string& pagePath, const std::string& pageText);

// Win32. Clears the attributes of the page file, deletes it, then the same for the picture file.
// Missing files, files in use and empty names are passed over without a word.
void DeleteTempFiles(const std::string& pagePath, const std::string& picturePath) noexcept;
