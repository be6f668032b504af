#include "win32/gdi_resources.h"

#include <algorithm>

#include "text/texts.h"
#include "win32/text_encoding.h"

namespace korvane::win32 {
namespace {

LiveCount g_gdi_objects;
// The windows made and not yet destroyed: a list, not a number, since the
// system destroys a window's children and the windows it owns along with
// it, and only asking each tells which are gone.
std::vector<HWND> g_windows;
int g_window_peak = 0;

template <typename Handle>
Handle CountedGdiObject(Handle handle) {
  if (handle && ++g_gdi_objects.live > g_gdi_objects.peak) g_gdi_objects.peak = g_gdi_objects.live;
  return handle;
}

void LetGoGdiObject(BOOL released) {
  if (released) --g_gdi_objects.live;
}

}  // namespace

LiveCount GdiObjectCount() { return g_gdi_objects; }

LiveCount WindowCount() { return {static_cast<int>(g_windows.size()), g_window_peak}; }

UINT ResourceCountMessage() {
  static const UINT message = RegisterWindowMessageA("Korvane.ResourceCount");
  return message;
}

LRESULT AnswerResourceCount(WPARAM which) {
  const LiveCount count = which < 2 ? GdiObjectCount() : WindowCount();
  return which % 2 == 0 ? count.live : count.peak;
}

HFONT CreateCountedFont(int height, int weight, bool underline, BYTE charset, BYTE quality,
                        BYTE pitch_and_family, const char* face) {
  return CountedGdiObject(CreateFontA(height, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE,
                                      FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      quality, pitch_and_family, face));
}

HBRUSH CreateCountedBrush(COLORREF colour) { return CountedGdiObject(CreateSolidBrush(colour)); }

void DeleteCountedObject(HGDIOBJ object) { LetGoGdiObject(DeleteObject(object)); }

HICON LoadCountedIcon(int resource_id, int size) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (size == 0) return CountedGdiObject(LoadIconA(instance, MAKEINTRESOURCEA(resource_id)));
  return CountedGdiObject(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resource_id),
                                                        IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

HDC GetCountedDC(HWND window) { return CountedGdiObject(GetDC(window)); }

void ReleaseCountedDC(HWND window, HDC dc) { LetGoGdiObject(ReleaseDC(window, dc)); }

HWND CreateCountedWindow(DWORD ex_style, const char* window_class, const char* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu_or_id,
                         void* param) {
  const HWND window = CreateWindowExA(ex_style, window_class, text, style, x, y, width, height,
                                      parent, menu_or_id, GetModuleHandleA(nullptr), param);
  if (window) {
    g_windows.push_back(window);
    g_window_peak = std::max(g_window_peak, static_cast<int>(g_windows.size()));
  }
  return window;
}

void DestroyCountedWindow(HWND window) {
  DestroyWindow(window);
  std::erase_if(g_windows, [](HWND made) { return !IsWindow(made); });
}

namespace {

// A pointing hand, hot spot at the finger tip: 'X' black, '.' white,
// anything else transparent.
constexpr const char* kHandRows[] = {
    "     XX",          "    X..X",         "    X..X",         "    X..X",
    "    X..X",         "    X..XXX",       "    X..X..XXX",    "    X..X..X..XX",
    "    X..X..X..X.X", " XX X........X.X", "X..XX..........X", "X...X..........X",
    " X.............X", "  X............X", "  X...........X",  "   X..........X",
    "   X.........X",   "    X........X",   "    X........X",   "    XXXXXXXXXX",
};
constexpr int kHandHotX = 5;
constexpr int kHandHotY = 0;

}  // namespace

GdiResources::~GdiResources() {
  for (const CachedFont& cached : fonts_) DeleteCountedObject(cached.font);
  if (hand_cursor_drawn_) LetGoGdiObject(DestroyCursor(hand_cursor_));
}

HFONT GdiResources::Font(const std::string& face, int form_size_px, const ui::TextStyle& style) {
  const int size = style.size_px ? style.size_px : form_size_px;
  for (const CachedFont& cached : fonts_) {
    if (cached.face == face && cached.size_px == size && cached.bold == style.bold &&
        cached.underline == style.underline) {
      return cached.font;
    }
  }
  // The Japanese face is asked for with its own character set, the English
  // one with the Western set every system has.
  const BYTE charset = CurrentLanguage() == Language::kJapanese ? SHIFTJIS_CHARSET : ANSI_CHARSET;
  // Unsmoothed, as Windows 98 draws screen fonts; Wine's smoothed glyphs
  // would also lose the bold it synthesises for faces without a bold style.
  const HFONT font =
      CreateCountedFont(-size, style.bold ? FW_BOLD : FW_NORMAL, style.underline, charset,
                        NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ToAnsi(face).c_str());
  fonts_.push_back({face, size, style.bold, style.underline, font});
  return font;
}

HCURSOR GdiResources::HandCursor() {
  if (hand_cursor_) return hand_cursor_;
  const int width = GetSystemMetrics(SM_CXCURSOR);
  const int height = GetSystemMetrics(SM_CYCURSOR);
  const int stride = ((width + 15) / 16) * 2;  // bytes per row, word aligned
  std::vector<BYTE> and_mask(stride * height, 0xFF);
  std::vector<BYTE> xor_mask(stride * height, 0x00);
  int row_index = 0;
  for (const char* row : kHandRows) {
    for (int x = 0; row[x] && x < width && row_index < height; ++x) {
      const char c = row[x];
      if (c != 'X' && c != '.') continue;
      const int byte = row_index * stride + x / 8;
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      and_mask[byte] &= static_cast<BYTE>(~bit);
      if (c == '.') xor_mask[byte] |= bit;
    }
    ++row_index;
  }
  hand_cursor_ = CountedGdiObject(CreateCursor(GetModuleHandleA(nullptr), kHandHotX, kHandHotY,
                                               width, height, and_mask.data(), xor_mask.data()));
  hand_cursor_drawn_ = hand_cursor_ != nullptr;
  if (!hand_cursor_) hand_cursor_ = LoadCursorA(nullptr, IDC_ARROW);
  return hand_cursor_;
}

namespace {

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  const RECT box = {left, top, right, bottom};
  const HBRUSH brush = CreateCountedBrush(colour);
  FillRect(dc, &box, brush);
  DeleteCountedObject(brush);
}

// A G400 card seen from above: the board, its bracket, the edge connector,
// the memory and the chip.
void DrawCard(HDC dc, const RECT& r) {
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  const int x = r.left;
  const int y = r.top;
  FillBox(dc, x, y, r.right, r.bottom, GetSysColor(COLOR_BTNFACE));
  FillBox(dc, x + 2, y + h / 6, x + 6, r.bottom - 2, RGB(160, 160, 168));     // bracket
  FillBox(dc, x + 6, y + h / 6, r.right - 2, y + h * 5 / 6, RGB(0, 96, 48));  // board
  for (int fx = x + w / 3; fx < r.right - 6; fx += 3) {                       // connector
    FillBox(dc, fx, y + h * 5 / 6, fx + 2, y + h * 5 / 6 + 4, RGB(212, 172, 40));
  }
  FillBox(dc, x + w / 3, y + h / 3, x + w * 2 / 3 + 2, y + h * 2 / 3, RGB(24, 24, 24));  // chip
  for (int m = 0; m < 4; ++m) {                                                          // memory
    const int mx = x + 10 + (m % 2) * (w - 18);
    const int my = y + h / 6 + 4 + (m / 2) * (h / 3);
    FillBox(dc, mx - 3, my, mx + 3, my + h / 5, RGB(40, 40, 48));
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT label = {x + w / 3, y + h / 3, x + w * 2 / 3 + 2, y + h * 2 / 3};
  const HFONT font = CreateCountedFont(-(h / 6 > 8 ? h / 6 : 8), FW_BOLD, false, ANSI_CHARSET,
                                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  const HGDIOBJ old = SelectObject(dc, font);
  DrawTextA(dc, "G400", -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteCountedObject(font);
}

}  // namespace

void DrawPicture(HDC dc, const RECT& rect, const std::string& picture) {
  if (picture == "g400-card") DrawCard(dc, rect);
}

}  // namespace korvane::win32
