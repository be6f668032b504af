// Fonts, the hand cursor and the pictures the renderer draws, and the count
// of the program's GDI objects and windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control.h"

namespace korvane::win32 {

// Windows 95/98 keep every program's windows and GDI objects in two 64 KB
// heaps that all programs share: one brush leaked at each repaint brings the
// whole system down in an evening. So every GDI object the program makes or
// takes (fonts, brushes, its cursor and icons, device contexts) and every
// window it makes go through the functions below, which count them. Wine's
// GetGuiResources answers 0 for every process; these counts are what tells.
struct LiveCount {
  int live = 0;
  int peak = 0;  // the most there were at once
};
LiveCount GdiObjectCount();
LiveCount WindowCount();

// The registered message the program's windows answer with a count, for
// tests and measurements from outside: wParam 0 asks for the live GDI
// objects, 1 for their peak, 2 for the live windows, 3 for their peak.
UINT ResourceCountMessage();
LRESULT AnswerResourceCount(WPARAM which);

HFONT CreateCountedFont(int height, int weight, bool underline, BYTE charset, BYTE quality,
                        BYTE pitch_and_family, const char* face);
HBRUSH CreateCountedBrush(COLORREF colour);
// A font or brush made above.
void DeleteCountedObject(HGDIOBJ object);
// The program's icon, from its resources: `size` 0 is the system's large
// icon size. Kept for the whole run, as the window class holds it.
HICON LoadCountedIcon(int resource_id, int size);
HDC GetCountedDC(HWND window);
void ReleaseCountedDC(HWND window, HDC dc);

HWND CreateCountedWindow(DWORD ex_style, const char* window_class, const char* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu_or_id,
                         void* param);
// Destroys the window with its children and the windows it owns.
void DestroyCountedWindow(HWND window);

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
  bool hand_cursor_drawn_ = false;
};

// Draws a named picture into a rectangle.
void DrawPicture(HDC dc, const RECT& rect, const std::string& picture);

}  // namespace korvane::win32
