// Fonts, the hand cursor and the pictures the renderer draws.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control.h"

namespace korvane::win32 {

class GdiResources {
 public:
  GdiResources() = default;
  GdiResources(const GdiResources&) = delete;
  GdiResources& operator=(const GdiResources&) = delete;
  ~GdiResources();

  // The font of a control: the form's face and size unless the style says
  // otherwise. Fonts are kept for the whole run.
  HFONT Font(const std::string& face, int form_size_px, const ui::TextStyle& style);

  // Windows 95/98 have no hand cursor of their own; this one is drawn here.
  HCURSOR HandCursor();

 private:
  struct CachedFont {
    std::string face;
    int size_px;
    bool bold;
    bool underline;
    HFONT font;
  };
  std::vector<CachedFont> fonts_;
  HCURSOR hand_cursor_ = nullptr;
};

// Draws a named picture into a rectangle.
void DrawPicture(HDC dc, const RECT& rect, const std::string& picture);

}  // namespace korvane::win32
