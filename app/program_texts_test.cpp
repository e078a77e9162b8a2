// Every text in the program's window definitions is GBK: it converts through
// code page 936 and back unchanged, without replacement characters. (String
// literals are compiled as GB18030, which agrees with GBK on every character
// GBK has; this catches a literal GBK does not have.)
#include <gtest/gtest.h>

#include <variant>

#include "app/program.h"
#include "services/encoding.h"
#include "workspace/workspace.h"

namespace yz {
namespace {

void ExpectGbk(const char* text, const std::string& where) {
  if (!text || !*text) return;
  SCOPED_TRACE(where);
  bool lossy = true;
  WideText wide = AnsiToWide(text);
  EXPECT_EQ(WideToAnsi(wide, &lossy), text);
  EXPECT_FALSE(lossy);
  EXPECT_EQ(wide.find(u'\uFFFD'), WideText::npos);
}

struct SettingTexts {
  std::vector<const char*>& out;
  void operator()(const EditBoxSettings& s) { out.push_back(s.text); }
  void operator()(const PushButtonSettings& s) { out.push_back(s.caption); }
  void operator()(const CheckBoxSettings& s) { out.push_back(s.caption); }
  void operator()(const LabelSettings& s) { out.push_back(s.text); }
  void operator()(const GroupBoxSettings& s) { out.push_back(s.title); }
  void operator()(const PageControlSettings& s) {
    for (const PageDef& p : s.pages) {
      out.push_back(p.title);
      out.push_back(p.tooltip);
    }
    out.push_back(s.font.face);
  }
  void operator()(const auto&) {}
};

TEST(ProgramTexts, EveryDefinitionTextIsGbk) {
  size_t checked = 0;
  for (const WindowDef* w : ProgramWindows()) {
    ExpectGbk(w->name, "window name");
    ExpectGbk(w->title, std::string(w->name) + " title");
    for (const ControlDef& c : w->controls) {
      ExpectGbk(c.name, "control name");
      std::vector<const char*> texts;
      std::visit(SettingTexts{texts}, c.settings);
      for (const char* t : texts) ExpectGbk(t, c.name);
      checked += 1 + texts.size();
    }
  }
  EXPECT_GT(checked, 100u);
}

TEST(ProgramTexts, WorkspaceMessagesAreGbk) {
  for (const char* text : {kConvertCaption, kConvertingCaption, kEmptyConversion, kCopyFailed, kEnterText})
    ExpectGbk(text, text);
  // 中 is D6 D0 in GBK and in the compiled literal alike.
  EXPECT_EQ(std::string("中"), "\xD6\xD0");
}

}  // namespace
}  // namespace yz
