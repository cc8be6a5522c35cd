// Decodes the pictures of one video stream into packed 32-bit bitmaps.
#pragma once
#include "movie/win_formats.h"

struct AviFrameReader;

// Null when the stream's codec has no decoder or its picture size is unusable.
AviFrameReader* OpenFrameReader(const char* fileName, int stream, const BITMAPINFOHEADER& format);
void CloseFrameReader(AviFrameReader* reader);
// The bitmap of frame `number`, or null when it cannot be decoded.
const BITMAPINFOHEADER* DecodeFrame(AviFrameReader* reader, int number);
