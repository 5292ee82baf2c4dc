// BMP (device-independent bitmap) loading: a file mapped read-only, decoded
// into an RGB image record, failures reported in message boxes.
#pragma once

#include <cstddef>
#include <cstdint>

struct ImageRecord {
  std::int32_t width;
  std::int32_t height;
  unsigned char *pixels; // width x height RGB triples, bottom row first
};

// Null on failure, after exactly one message box captioned "Error". The
// record and its pixels are malloc'd; the caller frees pixels, then record.
ImageRecord *LoadDibImage(const char *fileName);
ImageRecord *LoadDibImageW(const wchar_t *fileName);

enum class DibFailure;

// The message-box text the loader shows for a decoder's reason.
const char *DibFailureMessage(DibFailure failure);

// "Failed to open DIB file NAME.\n" into out[capacity], the name cut short
// (at a UTF-8 character boundary) so that the text always ends with ".\n".
void FormatDibOpenFailure(const char *name, char *out, std::size_t capacity);
