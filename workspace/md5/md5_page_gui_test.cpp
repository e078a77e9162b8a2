// Page 6 through the real main window: the text rows and the file digest.
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "app/testing/drop_data.h"
#include "services/encoding.h"
#include "shell/controls/drop_target.h"
#include "workspace/md5/md5.h"
#include "workspace/md5/md5_page.h"
#include "workspace/page_test_fixture.h"

namespace yz {
namespace {

namespace fs = std::filesystem;

class Md5Page : public testing::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    Open(6);
    dir = fs::temp_directory_path() / ("yz_md5_page_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
  }
  void TearDown() override {
    PageTest::TearDown();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  EditBox& row(int i) { return box(i == 0 ? "编辑框_MD5" : i == 1 ? "编辑框_MD5_16" : "编辑框_MD5_32"); }
  WideText status() { return w->Get<Control>("标签7").Wide(); }
  // A file of `size` pseudo-random bytes; its content returned too.
  std::string MakeFile(const fs::path& path, std::size_t size, unsigned seed) {
    std::string data(size, '\0');
    std::mt19937 gen(seed);
    for (char& c : data) c = static_cast<char>(gen());
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
    return data;
  }
  void Drop(const WideText& paths) { DigestDroppedFiles(ws(), paths); }
  static WideText Wide(const fs::path& p) { return p.u16string(); }
  bool WaitForDigest() {
    return PumpUntil([&] { return !FileDigestRunning(ws()); }, 60000);
  }
  void ExpectRows(const md5::Rows& rows) {
    EXPECT_EQ(row(0).Text(), rows.digest);
    EXPECT_EQ(row(1).Text(), rows.short16);
    EXPECT_EQ(row(2).Text(), rows.upper32);
  }

  fs::path dir;
};

TEST_F(Md5Page, TextRowsOfAbc) {
  mainBox().SetWide(u"abc");
  Convert();
  EXPECT_EQ(row(0).Wide(), u"900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(row(1).Wide(), u"3cd24fb0d6963f7d");
  EXPECT_EQ(row(2).Wide(), u"900150983CD24FB0D6963F7D28E17F72");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Md5Page, EmptyAndNonGbkTextAreRefused) {
  Convert();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "当前转换为空，请输入文本！");
  mainBox().SetWide(u"\U0001F600");
  Convert();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(row(0).Wide(), u"");
}

TEST_F(Md5Page, ClearAllEmptiesTheThreeRowsOnly) {
  mainBox().SetWide(u"abc");
  Convert();
  Click("按钮4");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(row(i).Wide(), u"");
  EXPECT_EQ(mainBox().Wide(), u"abc");
}

TEST_F(Md5Page, CopyPutsTheRowOnTheClipboard) {
  mainBox().SetWide(u"abc");
  Convert();
  struct Case {
    const char* button;
    const char16_t* text;
  } cases[] = {
      {"按钮1", u"900150983cd24fb0d6963f7d28e17f72"},
      {"按钮2", u"3cd24fb0d6963f7d"},
      {"按钮3", u"900150983CD24FB0D6963F7D28E17F72"},
  };
  for (const Case& c : cases) {
    Click(c.button);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    WideText got(static_cast<const char16_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(got, c.text);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(Md5Page, DroppedFileIsDigestedOnAWorkerWhileTheWindowAnswers) {
  fs::path file = dir / u"数据.bin";
  std::string data = MakeFile(file, 6 * 1024 * 1024 + 17, 1);
  Drop(Wide(file));
  EXPECT_TRUE(FileDigestRunning(ws()));
  DWORD_PTR answer = 0;
  LRESULT answered = SendMessageTimeoutW(w->hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
  ASSERT_TRUE(WaitForDigest());
  EXPECT_NE(answered, 0);
  ExpectRows(md5::TextRows(data));
  EXPECT_NE(status().find(u"数据.bin"), WideText::npos);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Md5Page, SeveralFilesFirstIsDigestedAndTheLabelSaysSo) {
  fs::path a = dir / "a.txt", b = dir / "b.txt";
  std::string first = MakeFile(a, 1000, 2);
  MakeFile(b, 1000, 3);
  Drop(Wide(a) + u"\r\n" + Wide(b) + u"\r\n");
  ASSERT_TRUE(WaitForDigest());
  ExpectRows(md5::TextRows(first));
  EXPECT_NE(status().find(u"2个文件"), WideText::npos);
}

TEST_F(Md5Page, EmptyFileFolderAndMissingFile) {
  fs::path empty = dir / "empty";
  std::ofstream(empty).close();
  Drop(Wide(empty));
  ASSERT_TRUE(WaitForDigest());
  EXPECT_EQ(row(0).Wide(), u"d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_TRUE(messages.empty());
  for (const fs::path& bad : {dir, dir / "missing.bin"}) {
    messages.clear();
    Drop(Wide(bad));
    ASSERT_TRUE(WaitForDigest());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(row(0).Wide(), u"d41d8cd98f00b204e9800998ecf8427e");
  }
}

TEST_F(Md5Page, SecondDropStopsTheRunningDigest) {
  // A large sparse file takes long enough to be caught running.
  fs::path big = dir / "big.bin";
  {
    std::ofstream(big, std::ios::binary).close();
    fs::resize_file(big, std::uintmax_t{2} << 30);
  }
  fs::path small = dir / "small.bin";
  std::string data = MakeFile(small, 4096, 4);
  Drop(Wide(big));
  ASSERT_TRUE(PumpUntil([&] { return status().find(u"%") != WideText::npos; }));
  auto start = std::chrono::steady_clock::now();
  Drop(Wide(small));
  ASSERT_TRUE(WaitForDigest());
  auto took = std::chrono::steady_clock::now() - start;
  ExpectRows(md5::TextRows(data));
  EXPECT_NE(status().find(u"small.bin"), WideText::npos);
  EXPECT_TRUE(messages.empty());  // the stopped digest says nothing
  // Reading the rest of 2 GiB would take seconds; the stop takes one piece.
  EXPECT_LT(took, std::chrono::seconds(2));
}

TEST_F(Md5Page, ExtendRegistersTheDropTargetAndAFileDropArrivesThroughOle) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  auto& target = w->Get<DropTarget>("拖放对象1");
  EXPECT_FALSE(target.registered());
  Click("按钮5");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "组件注册成功");
  EXPECT_EQ(status(), u"请拖放文件到窗口！");
  EXPECT_FALSE(w->Get<PushButton>("按钮5").IsEnabled());
  EXPECT_FALSE(target.Register(w->hwnd()));  // once only

  fs::path a = dir / u"甲.bin", b = dir / "b.bin";
  std::string first = MakeFile(a, 5000, 7);
  MakeFile(b, 10, 8);
  win::ComPtr<IDataObject> files = testing::TestData::Make({{CF_HDROP, testing::FileList({a.u16string(), b.u16string()})}});
  IDataObject* data = files.get();
  IDropTarget* ole = target.oleTarget();
  ASSERT_NE(ole, nullptr);
  RECT r;
  GetWindowRect(w->hwnd(), &r);
  POINTL at{r.left + 100, r.top + 200};
  DWORD effect = DROPEFFECT_COPY;
  ASSERT_EQ(ole->DragEnter(data, MK_LBUTTON, at, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY;
  ASSERT_EQ(ole->Drop(data, MK_LBUTTON, at, &effect), S_OK);
  ASSERT_TRUE(WaitForDigest());
  ExpectRows(md5::TextRows(first));
  EXPECT_NE(status().find(u"甲.bin"), WideText::npos);
  EXPECT_NE(status().find(u"2个文件"), WideText::npos);
  layer.reset();  // the drop target is revoked with its window, while OLE is still up
  OleUninitialize();
}

}  // namespace
}  // namespace yz
