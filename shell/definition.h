// Window definitions as data.
//
// A window definition is the window's settings and its controls in stored
// order: the first-listed control of a parent lies on top. Positions and sizes
// are designer pixels relative to the parent's client area (the window, a page
// of a page control, or a container control). Every control names the events
// that have a handler; the handler itself is found by name at start
// (HandlerRegistry), so a binding whose routine does not exist stays empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shell/event.h"

namespace yz {

// #RRGGBB as 0x00RRGGBB; the system button face is stored as 0xFF000000.
using Color = std::uint32_t;
inline constexpr Color kButtonFace = 0xFF000000;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct FontDef {
  const char* face = "";
  int height = 0;  // stored negative: character height in pixels
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  // As stored; edit boxes, buttons, check boxes, labels and group boxes
  // replace these with the system defaults when the font is applied.
  int charset = 1;  // DEFAULT_CHARSET
  int quality = 0;
  int pitchAndFamily = 0;
};

enum class Align { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct EditBoxSettings {
  int border = 1;  // 0 none, 1 sunken, 2 raised, 3 thin sunken, 4 sunken and raised, 5 single line
  Color textColor = kBlack;
  Color background = kWhite;
  bool hideSelection = true;
  int maxLength = 0;  // 0: no limit
  bool multiLine = false;
  int scrollBars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
  Align align = Align::Left;
  int inputMode = 0;  // 0 ordinary … 11 date and time
  char passwordChar = 0;
  int caseConversion = 0;  // 0 none, 1 lower, 2 upper
  bool spin = false;
  int spinMin = 0, spinMax = 100;
  int selStart = 0, selLength = 0;
  std::optional<FontDef> font;
  const char* text = "";
};

struct PushButtonSettings {
  bool isDefault = false;
  Align align = Align::Center;
  VAlign valign = VAlign::Center;
  std::string_view picture;  // image file bytes shown instead of the caption; empty: none
  std::optional<FontDef> font;
  const char* caption = "";
};

struct CheckBoxSettings {
  bool pushLike = false;
  bool flat = false;
  bool boxOnRight = false;
  Align align = Align::Left;
  VAlign valign = VAlign::Center;
  Color textColor = kBlack;
  Color background = kButtonFace;
  bool checked = false;
  std::string_view picture;  // image file bytes shown instead of the caption; empty: none
  std::optional<FontDef> font;
  const char* caption = "";
};

struct LabelSettings {
  int effect = 0;  // 0 none, 1..3 relief and shadow styles
  int border = 0;  // as the edit box; 6 gradient frame
  int frameWidth = 1;
  Color frameColors[3] = {kBlack, kBlack, kBlack};
  Color textColor = kBlack;
  Color background = kButtonFace;
  // The bytes of an image file (BMP, GIF, JPEG, ICO) drawn over the
  // background: 0 at the top left, 1 tiled, 2 scaled with its aspect kept
  // and centred. Empty: none.
  std::string_view picture;
  int pictureMode = 0;
  int gradient = 0;  // 0 none, 1..8
  Color gradientColors[3] = {kWhite, kWhite, kWhite};
  Align align = Align::Left;
  VAlign valign = VAlign::Center;
  bool wordWrap = false;
  std::optional<FontDef> font;
  const char* text = "";
};

struct GroupBoxSettings {
  Align titleAlign = Align::Left;
  Color textColor = kBlack;
  Color background = kButtonFace;
  std::optional<FontDef> font;
  const char* title = "";
};

// A drawing panel: a container that is drawn on. Text is measured and drawn
// in its font (the default GUI font when none is stored), in pixels.
struct DrawingPanelSettings {
  int border = 0;  // as the edit box
  Color background = kButtonFace;
  Color textColor = kBlack;
  std::optional<FontDef> font;
};

struct PageDef {
  const char* title = "";
  const char* tooltip = "";
};

struct PageControlSettings {
  std::vector<PageDef> pages;
  FontDef font;
  int rowHeight = 20;
  bool multiRow = true;
  Color restText = kBlack, hotText = 0x0088FF, currentText = 0xFF0000, disabledText = 0x808080;
  Color restTop = 0xC0C0C0, hotTop = 0xC0C0C0, currentTop = 0xECECEC;
  Color frame = 0xC0C0C0;
  int tooltipDelayMs = 300;
  int tooltipVisibleMs = 8000;
};

struct TimerSettings {
  int intervalMs = 0;
};

struct DropTargetSettings {
  bool acceptText = false, acceptHtml = false, acceptUrls = false, acceptFiles = false;
};

// Kinds whose behaviour lives with the parts that show them; their stored
// settings travel as they are until those parts are built.
struct PictureBoxSettings {};
struct PictureButtonSettings {};
struct TransparentLabelSettings {};
struct ShapeBoxSettings {};
struct BalloonTipSettings {
  Color border = 0x0088FF;
  int spikeHeight = 16;
};
struct BrowserSettings {};

using ControlSettings =
    std::variant<EditBoxSettings, PushButtonSettings, CheckBoxSettings, LabelSettings, GroupBoxSettings,
                 PageControlSettings, TimerSettings, DropTargetSettings, PictureBoxSettings,
                 PictureButtonSettings, TransparentLabelSettings, ShapeBoxSettings, DrawingPanelSettings,
                 BalloonTipSettings, BrowserSettings>;

struct ControlDef {
  const char* name = "";
  Rect rect;
  ControlSettings settings;
  std::vector<EventKind> events;  // events with a handler
  const char* parent = nullptr;   // container control; nullptr: the window
  int page = 0;                   // 1-based page of the parent page control; 0: none
  bool visible = true;
  bool disabled = false;
  bool tabStop = false;
  int tabOrder = 0;
};

struct WindowDef {
  const char* name = "";
  Rect rect;
  const char* title = "";
  int borderStyle = 2;  // 0 none … 6, see the border table
  bool controlBox = true;
  bool minButton = false;
  bool maxButton = false;
  int position = 1;  // 0 as stored, 1 centred, 2 minimised, 3 maximised
  bool movable = true;
  bool escCloses = true;
  bool enterMovesFocus = false;
  bool showInTaskbar = true;
  bool dragAnywhere = false;
  bool alwaysOnTop = false;
  bool keepCaptionActive = false;
  bool visible = true;
  Color background = kButtonFace;
  std::vector<EventKind> events;  // window events with a handler
  std::vector<ControlDef> controls;
};

}  // namespace yz
