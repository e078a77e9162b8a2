#include "shell/controls/edit_box.h"

#include <commctrl.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "services/encoding.h"
#include "shell/window.h"

namespace yz {
namespace {

DWORD BorderExStyle(int border) {
  switch (border) {
    case 1: return WS_EX_CLIENTEDGE;
    case 2: return WS_EX_DLGMODALFRAME;
    case 3: return WS_EX_STATICEDGE;
    case 4: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

bool IsDigit(unsigned ch) { return ch >= '0' && ch <= '9'; }

// The ASCII form of `text`; every other unit becomes 0x7F, which no rule
// below reads as a digit, sign, point or space.
std::string Ascii(const WideText& text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t u : text) out += u < 0x80 ? static_cast<char>(u) : '\x7F';
  return out;
}

WideText Widen(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Leading white space, an optional sign, digits up to the first other
// character; saturates at the 64-bit range.
std::int64_t LeadingInteger(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  // Accumulated as a negative number, whose range is the larger one.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  bool saturated = false;
  for (; i < s.size() && IsDigit(static_cast<unsigned char>(s[i])); ++i) {
    int d = s[i] - '0';
    if (value < (kMin + d) / 10) saturated = true;
    if (!saturated) value = value * 10 - d;
  }
  if (saturated) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
  if (negative) return value;
  return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

// The leading decimal number (as strtod reads it); 0 when there is none.
double LeadingDouble(const std::string& s) {
  const char* begin = s.c_str();
  char* end = nullptr;
  double v = std::strtod(begin, &end);
  if (end == begin || std::isnan(v)) return 0;
  return v;
}

template <class T>
WideText ShortestText(T value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc{}) return {};
  return Widen(std::string_view(buf, static_cast<size_t>(end - buf)));
}

WideText IntegerText(std::int64_t v) {
  if (v == 0) return {};
  return Widen(std::to_string(v));
}

template <class T>
WideText FloatText(double v) {
  constexpr double kMax = std::numeric_limits<T>::max();
  if (v > kMax) v = kMax;
  if (v < -kMax) v = -kMax;
  T value = static_cast<T>(v);
  if (value == 0) return {};
  return ShortestText(value);
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

WideText DateText(const std::string& s) {
  std::vector<long> parts;
  for (size_t i = 0; i < s.size() && parts.size() < 6;) {
    if (!IsDigit(static_cast<unsigned char>(s[i]))) {
      ++i;
      continue;
    }
    long n = 0;
    for (; i < s.size() && IsDigit(static_cast<unsigned char>(s[i])); ++i)
      n = n > 100000 ? n : n * 10 + (s[i] - '0');
    parts.push_back(n);
  }
  if (parts.size() < 3) return {};
  int y = static_cast<int>(parts[0]), mo = static_cast<int>(parts[1]), d = static_cast<int>(parts[2]);
  if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo)) return {};
  char buf[32];
  if (parts.size() == 3) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
    return Widen(buf);
  }
  long h = parts[3], mi = parts.size() > 4 ? parts[4] : 0, se = parts.size() > 5 ? parts[5] : 0;
  if (h > 23 || mi > 59 || se > 59) return {};
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02ld:%02ld:%02ld", y, mo, d, h, mi, se);
  return Widen(buf);
}

std::int64_t Clamp(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

bool EditModeAccepts(int mode, unsigned ch) {
  if (ch < 32) return true;  // control keys
  switch (mode) {
    case 1: return false;
    case 5: return IsDigit(ch);
    case 3:
    case 6:
    case 7:
    case 8: return IsDigit(ch) || ch == '-';
    case 4:
    case 9:
    case 10: return IsDigit(ch) || ch == '-' || ch == '.';
    default: return true;
  }
}

std::optional<WideText> EditModeRewrite(int mode, const WideText& text) {
  std::string s = Ascii(text);
  switch (mode) {
    case 5: return IntegerText(Clamp(LeadingInteger(s), 0, 255));
    case 6: return IntegerText(Clamp(LeadingInteger(s), -32768, 32767));
    case 7: return IntegerText(Clamp(LeadingInteger(s), INT32_MIN, INT32_MAX));
    case 8: return IntegerText(LeadingInteger(s));
    case 9: return FloatText<float>(LeadingDouble(s));
    case 10: return FloatText<double>(LeadingDouble(s));
    case 11: return DateText(s);
    default: return std::nullopt;
  }
}

EditBox::EditBox(Window& window, const ControlDef& def)
    : Control(window, def), settings_(std::get<EditBoxSettings>(def.settings)) {}

EditBox::~EditBox() {
  // A spin whose window went with its parent is no longer ours to destroy.
  if (spin_ && !IsWindow(spin_.get())) spin_.release();
}

bool EditBox::Create(HWND parent) {
  const EditBoxSettings& s = settings_;
  DWORD style = 0;
  if (s.multiLine) {
    style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    // Without a horizontal scroll bar the lines wrap at the box width.
    if (s.scrollBars & 1) style |= ES_AUTOHSCROLL | WS_HSCROLL;
    if (s.scrollBars & 2) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (!s.hideSelection) style |= ES_NOHIDESEL;
  if (s.align == Align::Center) style |= ES_CENTER;
  if (s.align == Align::Right) style |= ES_RIGHT;
  if (s.inputMode == 1) style |= ES_READONLY;
  bool masked = !s.multiLine && (s.inputMode == 2 || s.passwordChar != 0);
  if (masked) style |= ES_PASSWORD;
  if (s.caseConversion == 1) style |= ES_LOWERCASE;
  if (s.caseConversion == 2) style |= ES_UPPERCASE;
  DWORD ex = BorderExStyle(s.border);
  if (s.border == 5) style |= WS_BORDER;
  if (!CreateNative(L"EDIT", style, ex, parent)) return false;
  ApplyFont(s.font);
  // 0 lifts the default limit of 30,000 characters.
  SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(s.maxLength > 0 ? s.maxLength : 0), 0);
  if (masked) SendMessageW(hwnd_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(s.passwordChar ? s.passwordChar : '*'), 0);
  // Through WM_SETTEXT, so that the case conversion applies to it.
  SetText(s.text);
  background_ = win::Brush{CreateSolidBrush(ToColorRef(s.background))};
  if (!background_) return false;
  if (!s.multiLine) GrowToFontHeight();
  if (s.selStart > 0 || s.selLength > 0) SetSelection(s.selStart, s.selLength);
  if (s.spin && !CreateSpin(parent)) return false;
  return true;
}

void EditBox::GrowToFontHeight() {
  win::WindowDc dc(hwnd_);
  if (!dc.get()) return;
  win::Selection selected(dc.get(), font());
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc.get(), &tm)) return;
  int least = tm.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
  RECT r;
  if (!GetWindowRect(hwnd_, &r) || r.bottom - r.top >= least) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, least, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool EditBox::CreateSpin(HWND parent) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  if (!InitCommonControlsEx(&icc)) return false;
  DWORD style = WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (def().disabled) style |= WS_DISABLED;
  spin_.reset(CreateWindowExW(0, UPDOWN_CLASSW, L"", style, 0, 0, 0, 0, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr));
  if (!spin_) return false;
  SendMessageW(spin_.get(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
  SendMessageW(spin_.get(), UDM_SETRANGE32, static_cast<WPARAM>(settings_.spinMin),
               static_cast<LPARAM>(settings_.spinMax));
  std::int64_t now = Clamp(LeadingInteger(Ascii(Wide())), settings_.spinMin, settings_.spinMax);
  // The position only: the box keeps its stored text until a button is used.
  SendMessageW(spin_.get(), UDM_SETPOS32, 0, static_cast<LPARAM>(now));
  return true;
}

WideText EditBox::Cased(const wchar_t* text) const {
  WideText out = text ? reinterpret_cast<const char16_t*>(text) : u"";
  if (out.empty() || settings_.caseConversion == 0) return out;
  auto* p = reinterpret_cast<wchar_t*>(out.data());
  auto n = static_cast<DWORD>(out.size());
  if (settings_.caseConversion == 1) CharLowerBuffW(p, n);
  else CharUpperBuffW(p, n);
  return out;
}

void EditBox::RewriteOnLeave() {
  WideText now = Wide();
  std::optional<WideText> want = EditModeRewrite(settings_.inputMode, now);
  if (!want || *want == now) return;
  int start = Selection().first;
  SetWide(*want);
  int caret = start < static_cast<int>(want->size()) ? start : static_cast<int>(want->size());
  SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

std::optional<LRESULT> EditBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHAR:
    case WM_IME_CHAR:
      if (!EditModeAccepts(settings_.inputMode, static_cast<unsigned>(wp))) return 0;
      break;
    case WM_SETTEXT:
      if (settings_.caseConversion != 0) {
        WideText cased = Cased(reinterpret_cast<const wchar_t*>(lp));
        return CallDefault(msg, wp, reinterpret_cast<LPARAM>(cased.c_str()));
      }
      break;
    case EM_REPLACESEL:
      if (settings_.caseConversion != 0) {
        WideText cased = Cased(reinterpret_cast<const wchar_t*>(lp));
        return CallDefault(msg, wp, reinterpret_cast<LPARAM>(cased.c_str()));
      }
      break;
    case WM_KILLFOCUS:
      RewriteOnLeave();
      break;
    case WM_SHOWWINDOW:
      if (spin_) ShowWindow(spin_.get(), wp ? SW_SHOWNA : SW_HIDE);
      break;
    case WM_WINDOWPOSCHANGED:
      // The spin buttons stay at the box's right edge when it moves or
      // changes size.
      if (spin_ && IsWindow(spin_.get())) {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
          RECT box, spin;
          GetWindowRect(hwnd_, &box);
          GetWindowRect(spin_.get(), &spin);
          MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&box), 2);
          SetWindowPos(spin_.get(), nullptr, box.right, box.top, spin.right - spin.left, box.bottom - box.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
      }
      break;
    case WM_ENABLE:
      if (spin_) EnableWindow(spin_.get(), static_cast<BOOL>(wp));
      break;
    case WM_DESTROY:
      // The spin is the box's sibling: it goes with the box, unless their
      // parent took it already.
      if (spin_ && IsWindow(spin_.get())) spin_.reset();
      else spin_.release();
      break;
  }
  return Control::OnMessage(msg, wp, lp);
}

std::optional<LRESULT> EditBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ToColorRef(settings_.textColor));
      SetBkColor(dc, ToColorRef(settings_.background));
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_COMMAND:
      if (HIWORD(wp) == EN_CHANGE) window().Raise(this, EventKind::TextChanged);
      return 0;
  }
  return {};
}

void EditBox::SelectAll() { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

std::pair<int, int> EditBox::Selection() const {
  DWORD start = 0, end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end - start)};
}

void EditBox::SetSelection(int start, int length) {
  SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

}  // namespace yz
