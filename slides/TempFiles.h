// The session's two files in the user's temporary directory: the picture file (a copy of the
// current picture resource) and the page file (the current page text). Both are made once per
// activation, rewritten for every picture and deleted at the end. Paths are the system's wide
// paths, so that any temporary directory serves; a page names the picture by an ANSI form of its
// path that opens the same file.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/JpegHeader.h"

// The name of a session's file: "ins", `number` in upper-case hexadecimal, a dot and `extension`.
std::string TempFileName(uint32_t number, const std::string& extension);
// The number tried after `number` when its name is taken: 1 to 0xFFFF, round again after 0xFFFF.
uint32_t NextTempNumber(uint32_t number);

// Win32. A number to start from that differs between processes and moments.
uint32_t FreshTempNumber();
// Win32. Makes a new, empty file in the user's temporary directory and gives its full path. The
// file is made exclusively: a name already there, a link's included, is never opened; the next
// number is tried instead. Raises EFCreateError when the directory gives no new file.
std::wstring MakeTempFile(const std::string& extension, uint32_t firstNumber = FreshTempNumber());

// Win32. The form a page names `path` by, and the page view opens it by: the path itself in the
// ANSI code page when each of its characters has an exact form there (so the page's bytes are
// the path's), else its short form when that has one. Raises EFCreateError when neither has (a
// volume that keeps no short names).
std::string PagePathOf(const std::wstring& path);

// Win32. Copies picture resource 110 + pictureNumber byte for byte to `picturePath` and returns
// the picture's size as its JPEG header states it; no pixel is decoded. Raises EResNotFound or
// EJPEG before the file is touched, else as WritePageFile.
TJpegSize CopyPictureFile(int32_t pictureNumber, const std::wstring& picturePath);

// Win32. Replaces the contents of `pagePath` by exactly the bytes of `pageText`. The file is
// opened without following a link (or made anew when missing), written in one write whose length
// is checked, and cut to that length. Raises EFCreateError("Datei \"<path>\" kann nicht erstellt
// werden. <the system's description of the cause>") or EWriteError("Stream-Schreibfehler").
void WritePageFile(const std::wstring& pagePath, const std::string& pageText);

// Win32. Clears the attributes of the page file, deletes it, then the same for the picture file.
// Missing files, files in use and empty names are passed over without a word.
void DeleteTempFiles(const std::wstring& pagePath, const std::wstring& picturePath) noexcept;
