#pragma once

class TGraphControl;

namespace control {

// The MIME type under which the picture goes on the clipboard as an enhanced
// metafile.
inline constexpr const char* kMetafileMimeType = "image/x-emf";

// Replaces the clipboard's contents with the diagram as an enhanced metafile
// recorded afresh and as the picture last rendered on screen.
void CopyImageToClipboard(TGraphControl& control);

// Replaces the clipboard's contents with the header, series values and footer
// as text (see ClipboardText).
void CopyDataToClipboard(const TGraphControl& control);

}  // namespace control
