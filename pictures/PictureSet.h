// The embedded photographs: raw-data resources 105 (the dialog's preview collage) and 110 to 159
// (the fifty slideshow pictures, picture number n being resource 110 + n).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t PreviewPictureId = 105;
constexpr int32_t FirstSlideshowPictureId = 110;
constexpr int32_t SlideshowPictureCount = 50;

constexpr int32_t SlideshowPictureId(int32_t pictureNumber) { return FirstSlideshowPictureId + pictureNumber; }

// A read-only view of a resource's bytes where the loaded module holds them (nothing is copied).
struct TResourceStream {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
};

// Finds RCDATA resource `identifier` in the program's own module. A resource that is missing or
// cannot be loaded raises EResNotFound ("Ressource <identifier> wurde nicht gefunden").
TResourceStream OpenPictureResource(int32_t identifier);
