#pragma once

#include <QImage>
#include <QString>
#include <string_view>

namespace output {

// Identifies one image encoder; an Index of -1 names none.
struct TEncoderClsid {
  int Index = -1;
  friend bool operator==(const TEncoderClsid&, const TEncoderClsid&) = default;
};

// Looks up the installed encoder of a MIME type: "image/bmp", "image/jpeg",
// "image/gif", "image/tiff" or "image/png", matched exactly (case matters).
// Returns the encoder's index and stores its identifier in clsid, or returns
// -1 and leaves clsid as it was.
int GetEncoderClsid(std::string_view mimeType, TEncoderClsid& clsid);

// Saves the image with the encoder at its default settings (JPEG quality 75,
// TIFF uncompressed) as an opaque 24-bit picture: any alpha is dropped. The
// file is written by TFileWriter. Returns false, leaving no file
// behind, when the encoder is unknown, the image is null or cannot be
// encoded, or the file cannot be written; error, when given, then receives a
// message naming the file and the reason (the system's, for a failed write).
bool SaveImageWithEncoder(const QImage& image, const QString& fileName, const TEncoderClsid& clsid,
                          QString* error = nullptr);

}  // namespace output
