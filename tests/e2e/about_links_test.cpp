// The version dialog's links go to the system's handler through "start",
// without the program waiting for it.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "korvane_test.h"

namespace e2e {
namespace {

class AboutLinksE2E : public KorvaneTest {
 protected:
  static constexpr const char* kSchemes[] = {"http", "mailto", "ftp"};

  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
    wchar_t here[MAX_PATH];
    GetModuleFileNameW(nullptr, here, MAX_PATH);
    std::wstring folder(here);
    folder.resize(folder.find_last_of(L'\\'));
    sink_ = Utf8(folder) + "\\url_sink.exe";
    log_ = Utf8(folder) + "\\opened.log";
    DeleteFileW(Wide(log_).c_str());
    SetEnvironmentVariableW(L"KORVANE_OPENED_LOG", Wide(log_).c_str());
    for (const char* scheme : kSchemes) {
      const std::string key = std::string(scheme) + "\\shell\\open\\command";
      saved_.push_back(Get(HKEY_CLASSES_ROOT, key, ""));
      SetString(HKEY_CLASSES_ROOT, key, "", "\"" + sink_ + "\" \"%1\"");
    }
  }
  void TearDown() override {
    KorvaneTest::TearDown();
    for (std::size_t i = 0; i < std::size(kSchemes); ++i) {
      const std::string key = std::string(kSchemes[i]) + "\\shell\\open\\command";
      if (saved_[i]) {
        SetString(HKEY_CLASSES_ROOT, key, "", saved_[i]->text());
      } else {
        DeleteValue(HKEY_CLASSES_ROOT, key, "");
      }
    }
  }
  // Waits for the stand-in to have been asked to open `count` addresses.
  std::vector<std::string> Opened(std::size_t count) {
    std::vector<std::string> lines;
    for (int waited = 0; waited < 15000; waited += 100) {
      lines.clear();
      std::ifstream in(log_);
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      if (lines.size() >= count) break;
      Sleep(100);
    }
    return lines;
  }

  std::string sink_;
  std::string log_;
  std::vector<std::optional<Value>> saved_;
};

TEST_F(AboutLinksE2E, EachLinkOpensItsAddress) {
  Start();
  korvane->Click(Main("Button25"));
  const HWND about = korvane->WaitForForm("AboutBox");
  ASSERT_TRUE(about);
  const DWORD start = GetTickCount();
  korvane->Click(korvane->Control(about, "Label4"));
  EXPECT_LT(GetTickCount() - start, 3000u) << "the program waited for the link to open";
  EXPECT_EQ(Opened(1), std::vector<std::string>{"http://www.ostrel.example/korvane/"});
  // Each opens in a process of its own: one at a time keeps the log in order.
  korvane->Click(korvane->Control(about, "Label6"));
  ASSERT_EQ(Opened(2).size(), 2u);
  korvane->Click(korvane->Control(about, "Label15"));
  const auto opened = Opened(3);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[1], "mailto:korvane@ostrel.example");
  EXPECT_EQ(opened[2], "http://www.matrox.com/mga/");
  // The dialog stayed open and answering throughout.
  EXPECT_TRUE(korvane->Visible(about));
  EXPECT_FALSE(korvane->MessageBoxOpen());
}

TEST_F(AboutLinksE2E, TheChipTabsLinkOpensTheBiosDownload) {
  Start();
  korvane->SelectTab(main, kChipTab);
  const DWORD start = GetTickCount();
  korvane->Click(Main("Label137"));
  EXPECT_LT(GetTickCount() - start, 3000u) << "the program waited for the link to open";
  EXPECT_EQ(Opened(1),
            std::vector<std::string>{"ftp://ftp.matrox.com/pub/mga/unified/bios/bios_104.exe"});
  EXPECT_FALSE(korvane->MessageBoxOpen());
}

}  // namespace
}  // namespace e2e
